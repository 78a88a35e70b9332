#include "data/UserFolders.h"

#include "util/TextFile.h"
#include "util/TextRoutines.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// An empty folder from the system is taken as the root, as a path written "/" + name would be.
std::string folder(const std::string &dir)
{
    return dir.empty() ? "/" : WithSlash(dir);
}

// "/usr/bin/../share/feldora" -> "/usr/share/feldora/"
std::string joined(const std::string &dir, const std::string &relative)
{
    return folder(fs::path(folder(dir) + relative).lexically_normal().string());
}

} // namespace

bool ProgramFolderUsable(const std::string &programDir)
{
    const std::string dir = folder(programDir);
    return FileExists(dir + "Antennen.txt") && ::access(dir.c_str(), W_OK) == 0;
}

FeldoraFolders ChooseFolders(const FolderChoiceInput &in, bool programFolderUsable)
{
    FeldoraFolders f;
    if (programFolderUsable) {
        f.dataDir = folder(in.programDir);
        f.settingsFile = f.dataDir + "Feldora.ini";
        return f;
    }
    f.userFolders = true;
    f.dataDir = joined(in.dataHome, "Feldora");
    f.settingsFile = joined(in.configHome, "Feldora") + "Feldora.ini";
    f.shippedDir = joined(in.programDir, in.shippedRelative);
    f.documentDir = joined(in.programDir, in.documentRelative);
    return f;
}

std::vector<std::string> FillMissingFiles(const std::string &shippedDir, const std::string &dataDir)
{
    std::vector<std::string> copied;
    const fs::path to(dataDir);
    std::error_code ec;
    fs::create_directories(to / "ang", ec);
    if (ec)
        throw FileError("Der Ordner " + (to / "ang").string() + " konnte nicht angelegt werden.");
    const fs::path from(shippedDir);
    if (!fs::is_directory(from, ec))
        return copied;
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const fs::path relative = it->path().lexically_relative(from);
        const fs::path target = to / relative;
        if (fs::exists(target, ec))
            continue;
        fs::create_directories(target.parent_path(), ec);
        WriteFileAtomic(target.string(), ReadFileBytes(it->path().string()));
        copied.push_back(relative.string());
    }
    std::sort(copied.begin(), copied.end());
    return copied;
}
