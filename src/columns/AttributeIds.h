// The list attributes by number. The numbers are what settings and column
// strings store ("1,2,7,65,67,19,18"), so a value never changes; a new
// attribute takes the next number.
#pragma once

namespace vx {

namespace Attr {
enum Id : int {
    Index = 1,
    RIN = 2,  // the record identifier ("REF" in GEDCOM files)
    AFN = 3,
    Surname = 4,
    Given = 5,
    FullName = 6,
    SurnameGiven = 7,
    Note = 8,
    Sex = 9,
    BirthDate = 10,
    BirthPlace = 11,
    ChristeningDate = 12,
    ChristeningPlace = 13,
    DeathDate = 14,
    DeathPlace = 15,
    BurialDate = 16,
    BurialPlace = 17,
    FatherMotherSpouse = 18,  // the father, else the mother, else the spouse
    Age = 19,
    MarriedAge = 20,
    HasNote = 21,
    HasSource = 22,
    HasEvents = 23,
    MarriageCount = 24,
    ParentCount = 25,
    ChildCount = 26,
    AncestorCount = 27,
    DescendantCount = 28,
    LDSInformation = 29,
    LDSBaptism = 30,
    LDSBaptismTemple = 31,
    LDSEndowment = 32,
    LDSEndowmentTemple = 33,
    LDSSealedToParents = 34,
    LDSSealedToParentsTemple = 35,
    LDSSealedToSpouse = 36,
    LDSSealedToSpouseTemple = 37,
    Relationship = 38,
    CommonAncestor = 39,
    Alive = 40,
    MarriagePlace = 41,
    MarriageDate = 42,
    Father = 43,
    Mother = 44,
    Spouse = 45,
    SurnameSoundex = 46,
    GivenSoundex = 47,
    CustomId = 48,
    FatherLastFirst = 49,
    MotherLastFirst = 50,
    SpouseLastFirst = 51,
    CommonAncestorLastFirst = 52,
    FatherMotherSpouseLastFirst = 53,
    CreateDate = 54,
    ModifyDate = 55,
    SpouseFatherMother = 56,  // the spouse, else the father, else the mother
    SpouseFatherMotherLastFirst = 57,
    Island = 58,
    FatherAgeAtBirth = 59,
    MotherAgeAtBirth = 60,
    AncestorGenerations = 61,
    DescendantGenerations = 62,
    AverageAncestorGenerations = 63,
    AverageDescendantGenerations = 64,
    BirthOrChristeningDate = 65,
    BirthOrChristeningPlace = 66,
    DeathOrBurialDate = 67,
    DeathOrBurialPlace = 68,
};
}  // namespace Attr

inline constexpr int kAttributeCount = Attr::DeathOrBurialPlace;

}  // namespace vx
