#include "util/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Iconv {
public:
    Iconv(const char *to, const char *from) : handle_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (valid())
            iconv_close(handle_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

void appendUtf8(std::string &out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Runs iconv over the whole input; a byte it cannot take is handed to onInvalid, which
// appends a replacement, and the conversion goes on behind it.
template <typename OnInvalid>
std::string convert(const char *to, const char *from, const std::string &input, OnInvalid onInvalid)
{
    Iconv cd(to, from);
    std::string out;
    if (!cd.valid())
        return input;
    out.reserve(input.size() * 2);
    char *in = const_cast<char *>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace the offending unit and go on.
            size_t skipped = onInvalid(out, in, inLeft);
            in += skipped;
            inLeft -= skipped;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string directoryOf(const std::string &path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The longest chain of links followed, as the kernel allows.
constexpr int kMaxLinks = 40;

// The file a path finally names: every symbolic link on the last component is followed, also a
// link whose target does not exist yet (writing creates it there, as a plain open would).
std::string linkTarget(const std::string &path)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (n < 0 || static_cast<size_t>(n) >= buffer.size())
            return current;
        const std::string target(buffer.data(), static_cast<size_t>(n));
        current = target[0] == '/' ? target : directoryOf(current) + "/" + target;
    }
    return current;
}

} // namespace

std::string FileErrorReason(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case EROFS:
        return "der Datenträger ist schreibgeschützt";
    case ENOENT:
        return "Datei oder Ordner nicht vorhanden";
    case ENOTDIR:
        return "ein Teil des Pfades ist kein Ordner";
    case EISDIR:
        return "der Name gehört zu einem Ordner";
    case ENOSPC:
    case EDQUOT:
        return "kein Platz mehr auf dem Datenträger";
    case EFBIG:
        return "die Datei wird zu groß";
    case ENAMETOOLONG:
        return "der Dateiname ist zu lang";
    case ELOOP:
        return "zu viele symbolische Verknüpfungen";
    case EEXIST:
        return "die Datei ist bereits vorhanden";
    case EMFILE:
    case ENFILE:
        return "zu viele offene Dateien";
    case EBUSY:
    case ETXTBSY:
        return "die Datei ist in Gebrauch";
    case EXDEV:
        return "Ziel auf einem anderen Datenträger";
    case EIO:
        return "Ein-/Ausgabefehler des Datenträgers";
    case ENOMEM:
        return "nicht genug Speicher";
    case EINVAL:
        return "ungültiger Dateiname";
    case ENXIO:
    case ENODEV:
        return "Gerät nicht vorhanden";
    default:
        // Never the C library's English text: the number lets a helper look it up.
        return "Systemfehler Nr. " + std::to_string(error);
    }
}

bool IsValidUtf8(const std::string &bytes)
{
    size_t i = 0, n = bytes.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t extra;
        unsigned min;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        unsigned cp = c & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(bytes[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string DecodeText(const std::string &bytes)
{
    std::string text = IsValidUtf8(bytes) ? bytes : convert("UTF-8", "WINDOWS-1252", bytes,
        [](std::string &out, const char *in, size_t) {
            // The five bytes Windows-1252 leaves undefined keep their Latin-1 meaning.
            appendUtf8(out, static_cast<unsigned char>(*in));
            return size_t(1);
        });
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    return text;
}

std::string EncodeWindows1252(const std::string &utf8)
{
    return convert("WINDOWS-1252", "UTF-8", utf8, [](std::string &out, const char *in, size_t left) {
        out += '?';
        // Skip the whole UTF-8 sequence of the character that has no single-byte form.
        size_t skip = 1;
        while (skip < left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
            ++skip;
        return skip;
    });
}

std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines.push_back(current);
    return lines;
}

bool FileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string ReadFileBytes(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError("Die Datei \"" + path + "\" kann nicht geöffnet werden: " + FileErrorReason(errno) + ".");
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw FileError("Die Datei \"" + path + "\" kann nicht geöffnet werden: " + FileErrorReason(EISDIR) + ".");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            throw FileError("Die Datei \"" + path + "\" kann nicht gelesen werden: " + FileErrorReason(error) + ".");
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string> ReadTextLines(const std::string &path)
{
    return SplitLines(DecodeText(ReadFileBytes(path)));
}

void WriteFileAtomic(const std::string &path, const std::string &bytes)
{
    // Through a link to its target: the link stays, the linked file is replaced.
    const std::string target = linkTarget(path);
    struct stat old;
    const bool present = ::stat(target.c_str(), &old) == 0;
    const bool existed = present && S_ISREG(old.st_mode); // a previous file that stays on failure
    auto fail = [&](const std::string &what, int error) -> void {
        throw FileError("Die Datei \"" + path + "\" konnte nicht gespeichert werden (" + what + ": "
                        + FileErrorReason(error) + ")."
                        + (existed ? " Die bisherige Datei bleibt unverändert." : ""));
    };
    if (present && S_ISDIR(old.st_mode))
        fail("Anlegen", EISDIR);
    // A file the user made read-only is not replaced behind his back (the folder may allow it).
    if (existed && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw FileError("Die Datei \"" + path + "\" konnte nicht gespeichert werden (die Datei ist schreibgeschützt)."
                        " Die bisherige Datei bleibt unverändert.");
    std::string temp = directoryOf(target) + "/.feldora-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        fail("Anlegen", errno);
    const char *p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            ::unlink(name.data());
            fail("Schreiben", error);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    // Keep the permissions of the file we replace; a new file gets the usual ones.
    mode_t mode = 0644;
    if (existed)
        mode = old.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    int error = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(name.data());
        fail("Schreiben", error);
    }
    if (::rename(name.data(), target.c_str()) != 0) {
        int error = errno;
        ::unlink(name.data());
        fail("Umbenennen", error);
    }
}

void WriteTextLines(const std::string &path, const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += line + "\r\n";
    WriteFileAtomic(path, EncodeWindows1252(text));
}
