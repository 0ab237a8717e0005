// The per-user cache of unpacked runtimes. Each runtime lives in its own
// entry, "runtime-<hash>", inside a private folder (mode 0700, owned by the
// user, never reached through a symbolic link). An entry appears only
// complete: it is unpacked into a temporary folder beside it and renamed
// into place, so two programs started together never see half of one.
#pragma once

#include <string>
#include <vector>

#include "runtime/SelfImage.h"

namespace vx::runtime {

// A place the cache may live: the folder `Name` inside `Parent`.
struct CacheLocation {
    std::string Parent;
    std::string Name;
    bool CreateParent = false;  // make missing parent folders (the user's cache home)
};

// The user's cache home first, then the temporary folder.
std::vector<CacheLocation> DefaultCacheLocations();

enum class EnsureResult { Ready, TryElsewhere, DamagedProgram };

// Makes sure `location` holds a verified copy of the image's runtime; on
// Ready `runtimeDir` is its path. Otherwise `problem` says what failed.
EnsureResult EnsureRuntime(const SelfImage& image, const CacheLocation& location,
                           std::string& runtimeDir, std::string& problem);

// Whether the entry at `entryDir` is complete and intact for `hash`:
// every file of its manifest is present with its size and content hash.
bool VerifyEntryAt(const std::string& entryDir, uint64_t hash);

}  // namespace vx::runtime
