#pragma once

// Small helpers of the file tests: a scratch folder, raw bytes, and failing writes.

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

class TempDir
{
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "feldora-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::string file(const std::string &name) const { return path_ + "/" + name; }
    const std::string &path() const { return path_; }
    // Entries in the folder: a failed write must not leave its temporary file behind.
    int entryCount() const
    {
        int n = 0;
        for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(path_))
            ++n;
        return n;
    }

private:
    std::string path_;
};

inline void WriteBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Makes every file write beyond a few bytes fail while it lives (RLIMIT_FSIZE binds root too,
// unlike file permissions), so failed saves can be tested anywhere.
class WriteLimit
{
public:
    explicit WriteLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~WriteLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    WriteLimit(const WriteLimit &) = delete;
    WriteLimit &operator=(const WriteLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};
