// Test helper: holds the named mutex given as argument, prints "held", and releases it when a
// line (or end of input) arrives on stdin.
#include "platform/NamedMutex.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: platform_mutex_holder <name>\n";
        return 2;
    }
    auto mutex = platform::NamedMutex::create(QString::fromLocal8Bit(argv[1]));
    if (!mutex.isHeld()) {
        std::cout << "busy" << std::endl;
        return 1;
    }
    std::cout << "held" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
