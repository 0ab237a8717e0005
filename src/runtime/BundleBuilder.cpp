// vellacor-bundle: a build-time tool. Writes a self-contained viewer image:
// the start-up stub followed by the runtime bundle (see BundleFormat.h).
// Usage: vellacor-bundle STUB LIST OUTPUT LEVEL
// LIST has one "destination<TAB>source" line per file; an executable
// source keeps its permission bits, other files are made read-only.
#include <sys/stat.h>
#include <zstd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/BundleFormat.h"

namespace {

using vx::runtime::BundleHeader;

constexpr unsigned kExecutableMode = 0755;
constexpr unsigned kDataMode = 0644;
// A window covering the whole bundle finds the repeats between libraries.
constexpr int kWindowLog = 27;
constexpr int kCompressionThreads = 2;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void AppendLe(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i));
}

bool ValidDestination(const std::string& path) {
    if (path.empty() || path.size() > vx::runtime::kMaxPathBytes || path.front() == '/')
        return false;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

std::string BuildPayload(const std::string& listPath) {
    std::ifstream list(listPath);
    if (!list) throw std::runtime_error("cannot read " + listPath);
    std::string payload;
    std::string line;
    while (std::getline(list, line)) {
        if (line.empty()) continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) throw std::runtime_error("bad list line: " + line);
        const std::string destination = line.substr(0, tab);
        const std::string source = line.substr(tab + 1);
        if (!ValidDestination(destination))
            throw std::runtime_error("bad destination: " + destination);
        struct stat info {};
        if (::stat(source.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            throw std::runtime_error("not a file: " + source);
        const std::string bytes = ReadFile(source);
        AppendLe(payload, destination.size(), 2);
        payload += destination;
        AppendLe(payload, (info.st_mode & S_IXUSR) ? kExecutableMode : kDataMode, 2);
        AppendLe(payload, bytes.size(), 8);
        payload += bytes;
    }
    return payload;
}

std::string Compress(const std::string& payload, int level) {
    ZSTD_CCtx* context = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(context, ZSTD_c_compressionLevel, level);
    ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, 1);
    ZSTD_CCtx_setParameter(context, ZSTD_c_windowLog, kWindowLog);
    ZSTD_CCtx_setParameter(context, ZSTD_c_enableLongDistanceMatching, 1);
    ZSTD_CCtx_setParameter(context, ZSTD_c_nbWorkers, kCompressionThreads);
    std::string out(ZSTD_compressBound(payload.size()), '\0');
    const size_t size =
        ZSTD_compress2(context, out.data(), out.size(), payload.data(), payload.size());
    ZSTD_freeCCtx(context);
    if (ZSTD_isError(size)) throw std::runtime_error(ZSTD_getErrorName(size));
    out.resize(size);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: vellacor-bundle STUB LIST OUTPUT LEVEL\n";
        return 2;
    }
    try {
        const std::string stub = ReadFile(argv[1]);
        const std::string payload = BuildPayload(argv[2]);
        if (payload.size() > vx::runtime::kMaxPayloadBytes)
            throw std::runtime_error("the runtime is too large");
        const std::string frame = Compress(payload, std::stoi(argv[4]));

        BundleHeader header;
        header.CompressedBytes = frame.size();
        header.PayloadBytes = payload.size();
        header.PayloadHash = vx::runtime::HashBytes(payload.data(), payload.size());
        unsigned char encoded[vx::runtime::kBundleHeaderBytes];
        vx::runtime::EncodeHeader(header, encoded);

        const std::string output = argv[3];
        const std::string part = output + ".part";
        {
            std::ofstream out(part, std::ios::binary | std::ios::trunc);
            out.write(stub.data(), static_cast<std::streamsize>(stub.size()));
            out.write(reinterpret_cast<const char*>(encoded), sizeof encoded);
            out.write(frame.data(), static_cast<std::streamsize>(frame.size()));
            if (!out.flush()) throw std::runtime_error("cannot write " + part);
        }
        if (::chmod(part.c_str(), kExecutableMode) != 0 ||
            std::rename(part.c_str(), output.c_str()) != 0)
            throw std::runtime_error("cannot complete " + output);
        std::cout << output << ": stub " << stub.size() << " bytes, runtime " << payload.size()
                  << " bytes compressed to " << frame.size() << "\n";
    } catch (const std::exception& error) {
        std::cerr << "vellacor-bundle: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
