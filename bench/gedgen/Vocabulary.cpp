#include "Vocabulary.h"

#include <algorithm>
#include <iterator>

namespace vx::gedgen::words {
namespace {

constexpr std::string_view kMaleGivenWords[] = {
    "John",    "William", "James",    "George",    "Charles", "Thomas",    "Henry",    "Joseph",
    "Robert",  "Edward",  "Samuel",   "David",     "Richard", "Frederick", "Arthur",   "Albert",
    "Walter",  "Daniel",  "Benjamin", "Isaac",     "Jacob",   "Peter",     "Paul",     "Andrew",
    "Matthew", "Michael", "Francis",  "Alexander", "Hugh",    "Patrick",   "Owen",     "Lewis",
    "Harold",  "Ernest",  "Alfred",   "Herbert",   "Stephen", "Nathaniel", "Elijah",   "Jonathan",
    "Abraham", "Moses",   "Josiah",   "Ezekiel",   "Johann",  "Friedrich", "Heinrich", "Wilhelm",
    "Karl",    "Hans",    "Jürgen",   "Sören",     "Lars",    "Anders",    "Nils",     "Olav",
    "Pierre",  "Jean",    "Jacques",  "Louis",     "André",   "François",  "José",     "Juan",
    "Carlos",  "Antonio", "Giovanni", "Giuseppe",  "Pietro",  "Jan",       "Piotr",    "Stanisław",
    "Hendrik", "Willem",  "Sean",     "Liam",
};

constexpr std::string_view kFemaleGivenWords[] = {
    "Mary",      "Elizabeth", "Sarah",    "Anne",    "Margaret",  "Jane",       "Catherine",
    "Ellen",     "Emma",      "Alice",    "Martha",  "Susan",     "Hannah",     "Rebecca",
    "Rachel",    "Ruth",      "Esther",   "Abigail", "Lydia",     "Charlotte",  "Harriet",
    "Louisa",    "Emily",     "Florence", "Edith",   "Ada",       "Clara",      "Lucy",
    "Grace",     "Agnes",     "Isabella", "Frances", "Dorothy",   "Helen",      "Rose",
    "Eliza",     "Bridget",   "Nora",     "Maud",    "Ethel",     "Mabel",      "Bertha",
    "Minnie",    "Olive",     "Violet",   "Anna",    "Maria",     "Margarethe", "Katharina",
    "Elisabeth", "Sophie",    "Johanna",  "Ingrid",  "Astrid",    "Karin",      "Märta",
    "Björg",     "Marie",     "Jeanne",   "Hélène",  "Geneviève", "Françoise",  "Inés",
    "Carmen",    "María",     "Lucía",    "Giulia",  "Francesca", "Agnieszka",  "Zofia",
    "Grietje",   "Siobhán",   "Aoife",
};

constexpr std::string_view kSurnameWords[] = {
    "Smith",      "Jones",      "Williams",       "Brown",        "Taylor",    "Davies",
    "Evans",      "Wilson",     "Thomas",         "Johnson",      "Roberts",   "Robinson",
    "Thompson",   "Wright",     "Walker",         "White",        "Edwards",   "Hughes",
    "Green",      "Hall",       "Lewis",          "Harris",       "Clarke",    "Patel",
    "Jackson",    "Wood",       "Turner",         "Martin",       "Cooper",    "Hill",
    "Ward",       "Morris",     "Moore",          "Clark",        "Lee",       "King",
    "Baker",      "Harrison",   "Morgan",         "Allen",        "James",     "Scott",
    "Phillips",   "Watson",     "Davis",          "Parker",       "Price",     "Bennett",
    "Young",      "Griffiths",  "Mitchell",       "Kelly",        "Cook",      "Carter",
    "Richardson", "Bailey",     "Collins",        "Bell",         "Shaw",      "Murphy",
    "Miller",     "Cox",        "Richards",       "Khan",         "Marshall",  "Anderson",
    "Simpson",    "Ellis",      "Adams",          "Singh",        "Begum",     "Wilkinson",
    "Foster",     "Chapman",    "Powell",         "Webb",         "Rogers",    "Gray",
    "Mason",      "Ali",        "Hunt",           "Hussain",      "Campbell",  "Matthews",
    "Owen",       "Palmer",     "Holmes",         "Mills",        "Barnes",    "Knight",
    "Lloyd",      "Butler",     "Russell",        "Barker",       "Fisher",    "Stevens",
    "Jenkins",    "Murray",     "Dixon",          "Harvey",       "Willis",    "Carey",
    "Horton",     "O'Brien",    "O'Connor",       "McDonald",     "MacLeod",   "Müller",
    "Schmidt",    "Schneider",  "Fischer",        "Weber",        "Meyer",     "Wagner",
    "Becker",     "Schäfer",    "Köhler",         "Groß",         "Andersson", "Johansson",
    "Karlsson",   "Nilsson",    "Öberg",          "Ångström",     "Sørensen",  "Jørgensen",
    "Dubois",     "Lefèvre",    "Moreau",         "Laurent",      "Girard",    "Bonnet",
    "Fournier",   "Garçon",     "García",         "Fernández",    "López",     "Martínez",
    "Peña",       "Rossi",      "Russo",          "Ferrari",      "Esposito",  "Bianchi",
    "Kowalski",   "Wiśniewski", "Nowak",          "van der Berg", "de Vries",  "Jansen",
    "Bakker",     "de la Cruz", "Ó Súilleabháin",
};

constexpr std::string_view kNamePrefixWords[] = {
    "Rev.", "Dr.", "Capt.", "Col.", "Lt.", "Sgt.", "Hon.", "Prof.", "Sir", "Lady",
};

constexpr std::string_view kNameSuffixWords[] = {"Jr.", "Sr.", "II", "III", "Esq.", "MD"};

constexpr std::string_view kNobleTitleWords[] = {
    "Baronet",       "Duke of Ashford",      "Earl of Wexley",
    "Baron Marlow",  "Knight of the Garter", "Lord of the Manor",
    "Viscount Hale",
};

constexpr std::string_view kNicknameWords[] = {
    "Jack", "Bill", "Bob", "Ned", "Polly", "Peggy", "Kate", "Nell", "Sam", "Fritz", "Hank",
};

constexpr std::string_view kTownWords[] = {
    "Ashford",     "Bramley",      "Chesterton",
    "Dunmore",     "Eastwick",     "Fairfield",
    "Glenwood",    "Hartley",      "Ivybridge",
    "Kingsbury",   "Langford",     "Marlow",
    "Newbury",     "Oakham",       "Pembury",
    "Queensbury",  "Redhill",      "Stanton",
    "Thornbury",   "Upton",        "Westbury",
    "Yarmouth",    "Springfield",  "Franklin",
    "Clinton",     "Greenville",   "Salem",
    "Madison",     "Georgetown",   "Bristol",
    "Fairview",    "Riverside",    "Milford",
    "Oxford",      "Ashland",      "Burlington",
    "Manchester",  "Dover",        "Lexington",
    "Concord",     "Hudson",       "Jackson",
    "Marion",      "Auburn",       "Dayton",
    "Lebanon",     "Canton",       "Columbia",
    "Hamilton",    "Newport",      "Plymouth",
    "Quincy",      "Cedar Rapids", "Grand Haven",
    "Sioux Falls", "Red Wing",     "Sault Ste. Marie",
    "Kitchener",   "Guelph",       "Trois-Rivières",
    "Lévis",       "Saint-Jérôme", "Moncton",
    "Heidelberg",  "Göttingen",    "Tübingen",
    "Lüneburg",    "Würzburg",     "Bremen",
    "Kassel",      "Uppsala",      "Linköping",
    "Örebro",      "Västerås",     "Ålesund",
    "Trondheim",   "Bergen",       "Odense",
    "Århus",       "Lyon",         "Amiens",
    "Besançon",    "Nîmes",        "Orléans",
    "Cork",        "Galway",       "Sligo",
    "Limerick",    "Perth",        "Dundee",
    "Inverness",   "Swansea",      "Wrexham",
    "Leiden",      "Haarlem",      "Zwolle",
    "Kraków",      "Łódź",         "Poznań",
    "Sevilla",     "Málaga",       "Córdoba",
    "Bologna",     "Verona",       "Bergamo",
};

constexpr std::string_view kDistrictWords[] = {
    "Franklin County, Ohio, USA",
    "Hamilton County, Ohio, USA",
    "Carter County, Kentucky, USA",
    "Madison County, Kentucky, USA",
    "Augusta County, Virginia, USA",
    "Lancaster County, Pennsylvania, USA",
    "Berks County, Pennsylvania, USA",
    "Albany County, New York, USA",
    "Middlesex County, Massachusetts, USA",
    "Sangamon County, Illinois, USA",
    "Wayne County, Indiana, USA",
    "Linn County, Iowa, USA",
    "Greene County, Missouri, USA",
    "Washington County, Tennessee, USA",
    "Rowan County, North Carolina, USA",
    "Clarke County, Georgia, USA",
    "Kent County, Michigan, USA",
    "Dane County, Wisconsin, USA",
    "Goodhue County, Minnesota, USA",
    "Travis County, Texas, USA",
    "Waterloo County, Ontario, Canada",
    "Wellington County, Ontario, Canada",
    "Mauricie, Québec, Canada",
    "Lunenburg County, Nova Scotia, Canada",
    "Kreis Kassel, Hessen, Deutschland",
    "Landkreis Göttingen, Niedersachsen, Deutschland",
    "Oberbayern, Bayern, Deutschland",
    "Kreis Tübingen, Baden-Württemberg, Deutschland",
    "Uppsala län, Uppland, Sverige",
    "Östergötlands län, Östergötland, Sverige",
    "Hordaland, Vestlandet, Norge",
    "Fyn, Syddanmark, Danmark",
    "Somme, Picardie, France",
    "Doubs, Franche-Comté, France",
    "Zuid-Holland, Holland, Nederland",
    "Powiat krakowski, Małopolska, Polska",
    "Provincia de Sevilla, Andalucía, España",
    "Provincia di Verona, Veneto, Italia",
    "County Cork, Munster, Ireland",
    "Kent, England, United Kingdom",
    "Yorkshire, England, United Kingdom",
    "Devon, England, United Kingdom",
    "Lancashire, England, United Kingdom",
    "Perthshire, Scotland, United Kingdom",
    "Glamorgan, Wales, United Kingdom",
};

constexpr std::string_view kStreetWords[] = {
    "High Street",  "Church Lane", "Mill Road",  "Station Road", "Main Street",     "Elm Street",
    "Maple Avenue", "Hauptstraße", "Kirchgasse", "Storgatan",    "Rue de l'Église",
};

constexpr std::string_view kOccupationWords[] = {
    "Farmer",
    "Agricultural labourer",
    "Blacksmith",
    "Carpenter",
    "Shoemaker",
    "Tailor",
    "Weaver",
    "Miner",
    "Coal miner",
    "Mason",
    "Baker",
    "Butcher",
    "Innkeeper",
    "Miller",
    "Schoolteacher",
    "Clergyman",
    "Merchant",
    "Shopkeeper",
    "Sailor",
    "Fisherman",
    "Soldier",
    "Railway porter",
    "Engine driver",
    "Clerk",
    "Domestic servant",
    "Housekeeper",
    "Laundress",
    "Dressmaker",
    "Nurse",
    "Physician",
    "Lawyer",
    "Carter",
    "Cooper",
    "Wheelwright",
    "Saddler",
    "Glover",
    "Printer",
    "Bookkeeper",
    "Machinist",
    "Factory worker",
};

constexpr std::string_view kCauseWords[] = {
    "Consumption", "Typhoid fever", "Scarlet fever", "Pneumonia", "Old age",
    "Childbirth",  "Smallpox",      "Cholera",       "Influenza", "Heart failure",
    "Accident",    "Drowned",       "Apoplexy",
};

constexpr std::string_view kUnparseableDateWords[] = {
    "unknown",    "in her youth", "before the war", "young",      "3rd Sunday after Easter 1802",
    "abt. 1850?", "1850s",        "spring of 1799", "c1820",      "Michaelmas 1740",
    "deceased",   "see notes",    "23/04/1876",     "1867-03-12", "between 1840 and 1850",
};

constexpr std::string_view kNoteSentenceWords[] = {
    "Emigrated with the family in the spring after the harvest failed.",
    "The parish clerk spelled the surname several different ways over the years.",
    "Listed in the census as head of household with three lodgers.",
    "Family tradition holds that he served in the local militia.",
    "She kept the family Bible, in which these dates were first written down.",
    "Baptised privately at home and received into the church some weeks later.",
    "The will was proved at the county court and names all surviving children.",
    "Their first farm was sold at auction after a dispute over the boundary.",
    "A letter from a cousin mentions that the couple had moved west by then.",
    "Buried in the old churchyard; the headstone is now barely legible.",
    "Witnesses at the wedding were a brother of the groom and a neighbour.",
    "The age given at death does not agree with the baptism record.",
    "Apprenticed to a cordwainer at the age of fourteen.",
    "According to the obituary she was active in the church choir for fifty years.",
    "The naturalisation papers give the port of arrival but not the ship.",
    "No record of the marriage has been found in the registers searched so far.",
    "The land grant was recorded in the deed book two years after the survey.",
    "He is said to have walked to the county seat to register the birth.",
    "Two of the children died in infancy during the fever of that winter.",
    "The family name was anglicised shortly after arrival.",
};

constexpr std::string_view kSourceKindWords[] = {
    "Parish register",
    "Bishop's transcripts",
    "Census returns",
    "Probate records",
    "Marriage bonds",
    "Land records",
    "Family Bible",
    "Cemetery inscriptions",
    "Civil registration index",
    "Tax lists",
    "Militia rolls",
    "Naturalisation records",
    "Newspaper obituaries",
    "Church book",
    "Kirchenbuch",
    "Husförhörslängd",
};

constexpr std::string_view kAuthorWords[] = {
    "Church of England",  "County Record Office",         "Bureau of the Census",
    "Registrar General",  "Evangelische Kirchengemeinde", "Svenska kyrkan",
    "Historical Society", "Genealogical Society of Utah", "J. A. Whitfield",
    "M. Ostrander",
};

constexpr std::string_view kPublisherWords[] = {
    "Microfilm, 1978",      "Privately printed, 1902",        "Typescript, 1931",
    "Digital images, 2009", "Published by the society, 1955", "Manuscript",
};

constexpr std::string_view kRepositoryWords[] = {
    "County Record Office",     "State Historical Society Library",
    "National Archives",        "Family History Library",
    "Landeskirchliches Archiv", "Riksarkivet",
    "Public Record Office",     "Diocesan Archives",
};

constexpr std::string_view kPageFormWords[] = {
    "Page", "Folio", "Entry", "Film", "Vol. 2, p.", "Book C, p.", "Line", "Sheet",
};

}  // namespace

const List kMaleGiven{kMaleGivenWords};
const List kFemaleGiven{kFemaleGivenWords};
const List kSurnames{kSurnameWords};
const List kNamePrefixes{kNamePrefixWords};
const List kNameSuffixes{kNameSuffixWords};
const List kNobleTitles{kNobleTitleWords};
const List kNicknames{kNicknameWords};
const List kTowns{kTownWords};
const List kDistricts{kDistrictWords};
const List kStreets{kStreetWords};
const List kOccupations{kOccupationWords};
const List kCausesOfDeath{kCauseWords};
const List kUnparseableDates{kUnparseableDateWords};
const List kNoteSentences{kNoteSentenceWords};
const List kSourceKinds{kSourceKindWords};
const List kAuthors{kAuthorWords};
const List kPublishers{kPublisherWords};
const List kRepositories{kRepositoryWords};
const List kPageForms{kPageFormWords};

// ANSEL writes an accented letter as a combining mark followed by the base
// letter; a few letters have bytes of their own. This covers the letters the
// word lists use; anything else becomes '?'.
std::string ToAnsel(std::string_view utf8) {
    struct Letter {
        char32_t code;
        unsigned char mark;  // combining mark, or the letter's own byte when base is 0
        char base;
    };
    static constexpr Letter kLetters[] = {
        {U'à', 0xE1, 'a'}, {U'á', 0xE2, 'a'}, {U'â', 0xE3, 'a'}, {U'ä', 0xE8, 'a'},
        {U'å', 0xEA, 'a'}, {U'ç', 0xF0, 'c'}, {U'è', 0xE1, 'e'}, {U'é', 0xE2, 'e'},
        {U'ê', 0xE3, 'e'}, {U'ë', 0xE8, 'e'}, {U'í', 0xE2, 'i'}, {U'î', 0xE3, 'i'},
        {U'ñ', 0xE4, 'n'}, {U'ó', 0xE2, 'o'}, {U'ô', 0xE3, 'o'}, {U'ö', 0xE8, 'o'},
        {U'ú', 0xE2, 'u'}, {U'ü', 0xE8, 'u'}, {U'ń', 0xE2, 'n'}, {U'ś', 0xE2, 's'},
        {U'ź', 0xE2, 'z'}, {U'Å', 0xEA, 'A'}, {U'É', 0xE2, 'E'}, {U'Ó', 0xE2, 'O'},
        {U'Ö', 0xE8, 'O'}, {U'ø', 0xB2, 0},   {U'Ø', 0xA2, 0},   {U'ß', 0xCF, 0},
        {U'ł', 0xB1, 0},   {U'Ł', 0xA1, 0},
    };
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += utf8[i++];
            continue;
        }
        // Only two-byte sequences occur in the lists.
        char32_t code = 0;
        if ((lead & 0xE0) == 0xC0 && i + 1 < utf8.size())
            code =
                (char32_t{lead & 0x1Fu} << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        i += (lead & 0xE0) == 0xC0 ? 2 : 1;
        const Letter* letter = std::find_if(std::begin(kLetters), std::end(kLetters),
                                            [code](const Letter& l) { return l.code == code; });
        if (letter == std::end(kLetters)) {
            out += '?';
            continue;
        }
        out += static_cast<char>(letter->mark);
        if (letter->base) out += letter->base;
    }
    return out;
}

}  // namespace vx::gedgen::words
