#include "main/HtmlPack.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "app/Errors.h"
#include "app/Win1252.h"
#include "platform/FileHandle.h"
#include "platform/OutputFile.h"
#include "platform/ProgramPath.h"
#include "platform/TempFiles.h"

namespace vx::tool {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWebFolder = "web";
// What stands where the payload's program image would: the archive then
// follows at this offset, so the page expands it exactly as the viewer
// expands a program file.
constexpr std::string_view kPayloadLead = "VELLACOR-HTML\n";

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EPackRefused("the browser edition's part " + path.string() +
                           " is missing (it is built with emscripten)");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                           static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out += kAlphabet[v >> 18];
        out += kAlphabet[(v >> 12) & 63];
        out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string HtmlEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Script text goes inside a <script> element, which ends at "</script" and
// reads differently after "<!--".
std::string ScriptText(std::string text, const std::string& part) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find("</script") != std::string::npos || lower.find("<!--") != std::string::npos)
        throw EPackRefused("the browser edition's part " + part + " cannot be embedded");
    return text;
}

// Replaces every marker "@NAME@" of the template in one pass, so nothing a
// value holds is ever taken for a marker.
std::string Fill(const std::string& page,
                 const std::vector<std::pair<std::string, std::string>>& values) {
    std::string out;
    size_t at = 0;
    while (at < page.size()) {
        const size_t marker = page.find('@', at);
        if (marker == std::string::npos) break;
        bool replaced = false;
        for (const auto& [name, value] : values) {
            const std::string key = "@" + name + "@";
            if (page.compare(marker, key.size(), key) == 0) {
                out.append(page, at, marker - at);
                out += value;
                at = marker + key.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out.append(page, at, marker + 1 - at);
            at = marker + 1;
        }
    }
    out.append(page, std::min(at, page.size()), std::string::npos);
    return out;
}

}  // namespace

bool IsHtmlOutput(std::string_view path) {
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".html" || extension == ".htm";
}

std::string DefaultWebFolder() {
    const std::string tool = platform::ProgramPath();
    return tool.empty() ? std::string(kWebFolder)
                        : (fs::path(tool).parent_path() / kWebFolder).string();
}

TPackResult PackHtml(const TPackRequest& request, const std::string& webFolder) {
    const fs::path folder(webFolder);
    // Every part is read before anything is written.
    const std::string page = ReadWhole(folder / "page.html");
    const std::string css = ReadWhole(folder / "page.css");
    const std::string script = ScriptText(ReadWhole(folder / "page.js"), "page.js");
    const std::string worker =
        ScriptText(ReadWhole(folder / "vellacor-core.js") + "\n" + ReadWhole(folder / "worker.js"),
                   "worker.js");
    const std::string wasm = ReadWhole(folder / "vellacor-core.wasm");

    // The output is checked before any work: never one of the inputs, never
    // a folder or a special file, written beside the target and renamed.
    platform::OutputFile output;
    switch (output.Open(request.OutputPath, {request.GedcomPath})) {
        case platform::OutputFile::Status::Ready:
            break;
        case platform::OutputFile::Status::IsAnInput:
            throw EPackRefused("the output " + request.OutputPath + " would replace an input");
        case platform::OutputFile::Status::NotRegular:
            throw EPackRefused("the output " + request.OutputPath +
                               " exists and is not a regular file; nothing written");
        case platform::OutputFile::Status::CannotCreate:
            throw EInOutError("cannot create " + request.OutputPath + ": " +
                              platform::LastErrorText());
    }

    // The payload is packed exactly as a program file, behind a short lead
    // in place of the viewer, in private temporary files.
    platform::TempFile lead = platform::NewTempFile();
    platform::TempFile payload = platform::NewTempFile();
    if (!lead.IsOpen() || !payload.IsOpen() ||
        !platform::WriteAll(lead.Handle(), kPayloadLead.data(), kPayloadLead.size()))
        throw EFileError(EFileError::Kind::Create, platform::TempFolder());
    TPackRequest inner = request;
    inner.ViewerPath = lead.Path();
    inner.OutputPath = payload.Path();
    inner.RequireViewerMark = false;
    inner.Progress = nullptr;
    TPackResult result = PackProgram(inner);

    const std::string title = Win1252ToUtf8(request.Sender.Title);
    const std::string html =
        Fill(page, {{"TITLE", HtmlEscaped(title.empty() ? "Family file" : title)},
                    {"CSS", css},
                    {"WORKER", worker},
                    {"WASM", Base64(wasm)},
                    {"PAYLOAD", Base64(ReadWhole(payload.Path()))},
                    {"PAGE", script}});

    constexpr unsigned kPageMode = 0644;  // a document anyone may read
    if (!platform::WriteAll(output.Handle(), html.data(), html.size()) || !output.Commit(kPageMode))
        throw EInOutError("Error with I/O writing " + request.OutputPath + ": " +
                          platform::LastErrorText());
    result.OutputBytes = static_cast<int64_t>(html.size());
    return result;
}

}  // namespace vx::tool
