// Loading a family file in a test as the viewer loads one it has opened:
// read, then indexed. Free of any test framework, so the GoogleTest suites
// and the Qt Test programs share it.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "gedcom/GEDCollection.h"

namespace vx::test {

// Replaces `collection` with the GEDCOM file at `path`. False when the file
// does not load; the collection is kept then, unindexed, for the test to
// look at.
inline bool LoadGedcom(std::unique_ptr<WGEDCollection>& collection, const std::string& path) {
    collection = std::make_unique<WGEDCollection>(path);
    if (!collection->Load()) return false;
    collection->AfterLoad();
    return true;
}

// Writes `text` to `path` byte for byte and loads it as above. The former
// collection goes first: it may map the very file being rewritten.
inline bool LoadGedcomText(std::unique_ptr<WGEDCollection>& collection, const std::string& path,
                           std::string_view text) {
    collection.reset();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) return false;
    return LoadGedcom(collection, path);
}

}  // namespace vx::test
