// The crash test's child: saves the three files in the given folder over and over, switching
// between their two versions, until it is killed. On stdout, "r" says the loop has begun and
// "." that one round of saves is done, so the test can time its kills.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "crash/crash_saves.h"
#include "platform/posix/posix_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    temura::PosixFiles files(folder);
    temura::crash::Saver saver(files, folder);
    if (::write(STDOUT_FILENO, "r", 1) != 1) return 2;
    for (int version = 1;; version ^= 1) {
        if (!saver.save(version)) {
            std::fprintf(stderr, "a save failed\n");
            return 1;
        }
        if (::write(STDOUT_FILENO, ".", 1) != 1) return 2;
    }
}
