#include "convert/figure_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <future>
#include <memory>
#include <random>
#include <system_error>

#include "base/text_encoding.h"
#include "base/windows_path.h"
#include "convert/parallel_chunks.h"
#include "formats/motion/motion_file_writer.h"

namespace morvel::convert {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// Paths stay host strings (code page 932 on Windows, where the C library
// takes them as they are); only the folder operations go through
// std::filesystem, which must be told the encoding.
fs::path FsPath(const std::string &hostPath) {
#ifdef _WIN32
    std::string utf8;
    return fs::u8path(base::Cp932ToUtf8(hostPath, utf8) ? utf8 : hostPath);
#else
    return fs::path(hostPath);
#endif
}

bool WriteBytes(const std::string &path, const std::string &bytes) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return false;
    }
    return std::fflush(file.get()) == 0 && std::fclose(file.release()) == 0;
}

// A name beside target that nothing has yet.
std::string Beside(const std::string &target, const char *what) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (;;) {
        const std::string candidate = target + "." + what + "-" + std::to_string(random() % 1000000);
        std::error_code ignored;
        if (!fs::exists(FsPath(candidate), ignored)) return candidate;
    }
}

void RemoveQuietly(const std::string &path) {
    std::error_code ignored;
    fs::remove_all(FsPath(path), ignored);
}

}  // namespace

MotionDocument Figure::View() {
    MotionDocument document{};
    document.header = header;
    document.header.partCount = static_cast<uint16_t>(parts.size());
    document.header.motionCount = static_cast<uint16_t>(motions.size());
    document.parts = parts.empty() ? nullptr : parts.data();
    for (FigureMotion &motion : motions) {
        motion.frames.resize(motion.positions.size());
        for (size_t f = 0; f < motion.positions.size(); ++f) {
            motion.frames[f].positionCount = static_cast<uint16_t>(motion.positions[f].size());
            motion.frames[f].positions = motion.positions[f].empty() ? nullptr : motion.positions[f].data();
        }
        motion.entry.frameCount = static_cast<uint16_t>(motion.frames.size());
        motion.entry.frames = motion.frames.empty() ? nullptr : motion.frames.data();
    }
    motionTable_.clear();
    for (const FigureMotion &motion : motions) motionTable_.push_back(motion.entry);
    document.motions = motionTable_.empty() ? nullptr : motionTable_.data();
    return document;
}

std::string HostFileName(const std::string &cp932Name) {
#ifdef _WIN32
    return cp932Name;
#else
    std::string utf8;
    return base::Cp932ToUtf8(cp932Name, utf8) ? utf8 : cp932Name;
#endif
}

bool FigureFolderExists(const std::string &folder) {
    std::error_code ignored;
    return fs::exists(FsPath(folder), ignored);
}

bool WriteFigureFolder(Figure &figure, const std::string &folder, const std::string &motionFileName,
                       bool replace, std::string &error) {
    if (folder.empty()) {
        error = "no output folder given";
        return false;
    }
    std::string target = folder;
    while (target.size() > 1 && (target.back() == '/' || (target.back() == '\\' && base::FileNameStart(target) == target.size()))) {
        target.pop_back();  // "out/" names the folder "out"
    }
    std::error_code code;
    const bool exists = fs::exists(FsPath(target), code);
    if (exists && !replace) {
        error = folder + " exists (--force replaces it)";
        return false;
    }
    if (exists && !fs::is_directory(FsPath(target), code)) {
        error = folder + " exists and is not a folder";
        return false;
    }
    const std::string staging = Beside(target, "new");
    if (!fs::create_directory(FsPath(staging), code)) {
        error = folder + ": cannot create a folder beside it: " + code.message();
        return false;
    }
    // Job 0 is the motion file, job i the figure's file i - 1. The motion
    // file (encoded, scrambled and flushed to the disk) is the longest job
    // and has a thread of its own; a figure of many parts spends its time
    // creating files, which the other cores share. The first job that fails
    // (in this order) is reported.
    MotionDocument document = figure.View();
    std::vector<char> failed(figure.files.size() + 1, 0);
    auto motionFile = std::async(std::launch::async, [&] {
        failed[0] = !formats::motion::WriteMotionFile(document,
                                                      staging + "/" + HostFileName(motionFileName));
    });
    const size_t fileThreads = std::max<size_t>(1, ChunkCount(figure.files.size() + 1, 16) - 1);
    RunInChunks(figure.files.size(), fileThreads, [&](size_t, size_t begin, size_t end) {
        for (size_t file = begin; file < end; ++file) {
            failed[file + 1] = !WriteBytes(staging + "/" + HostFileName(figure.files[file].name),
                                           figure.files[file].bytes);
        }
    });
    motionFile.get();
    const auto firstFailure = std::find(failed.begin(), failed.end(), 1);
    if (firstFailure != failed.end()) {
        const size_t job = static_cast<size_t>(firstFailure - failed.begin());
        RemoveQuietly(staging);
        error = folder + ": cannot write " + (job == 0 ? motionFileName : figure.files[job - 1].name);
        return false;
    }
    // The old folder steps aside first and comes back if the new one cannot
    // take its place.
    std::string previous;
    if (exists) {
        previous = Beside(target, "old");
        fs::rename(FsPath(target), FsPath(previous), code);
        if (code) {
            RemoveQuietly(staging);
            error = folder + ": cannot be replaced: " + code.message();
            return false;
        }
    }
    fs::rename(FsPath(staging), FsPath(target), code);
    if (code) {
        if (!previous.empty()) fs::rename(FsPath(previous), FsPath(target), code);
        RemoveQuietly(staging);
        error = folder + ": cannot be written";
        return false;
    }
    if (!previous.empty()) RemoveQuietly(previous);
    return true;
}

}  // namespace morvel::convert
