#include "tests/test_support.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/mman.h>
#include <unistd.h>

int memory_file(const std::string& content)
{
    int descriptor = memfd_create("test", MFD_CLOEXEC);
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t written = write(descriptor, content.data() + done, content.size() - done);
        if (written <= 0) break;
        done += static_cast<std::size_t>(written);
    }
    lseek(descriptor, 0, SEEK_SET);
    return descriptor;
}

std::string descriptor_contents(int descriptor)
{
    std::string content;
    char block[65536];
    for (off_t offset = 0;;) {
        ssize_t got = pread(descriptor, block, sizeof block, offset);
        if (got <= 0) break;
        content.append(block, static_cast<std::size_t>(got));
        offset += got;
    }
    return content;
}

std::string file_contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string crlf(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

std::string make_temporary_directory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sdof_frf_test_XXXXXX").string();
    return mkdtemp(pattern.data());
}

void remove_directory(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
