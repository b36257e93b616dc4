// The least any run of `wareloom -Generate` after one edit does, built on the
// same Qt: start with QtCore, learn the state of every file of the data
// directory (one stat each), write one category page, the main page and the
// cache, each whole (a temporary file renamed over it; nothing synced). It
// builds nothing: the bytes are filler of the real files' sizes, under names
// of its own (.floor-*), so the store stays as it is.
//
//     wareloom_generate_floor <data directory> <category page>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

off_t sizeOf(const std::string& path)
{
    struct stat state = {};
    return ::stat(path.c_str(), &state) == 0 ? state.st_size : 0;
}

bool replace(const std::string& folder, const std::string& name, off_t size)
{
    const std::string temporary = folder + "/.floor-temporary", path = folder + "/" + name;
    const std::vector<char> bytes(size_t(size), 'x');
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    return ::close(fd) == 0 && written && ::rename(temporary.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <data directory> <category page>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return 1;
    int files = 0;
    struct stat state = {};
    while (const dirent* entry = ::readdir(directory))
        files += ::fstatat(::dirfd(directory), entry->d_name, &state, AT_SYMLINK_NOFOLLOW) == 0;
    ::closedir(directory);
    const bool done = files > 0 && replace(folder, ".floor-page", sizeOf(folder + "/" + argv[2])) &&
                      replace(folder, ".floor-main", sizeOf(folder + "/inventory.htm")) &&
                      replace(folder, ".floor-cache", sizeOf(folder + "/Pages.cache"));
    return done ? 0 : 1;
}
