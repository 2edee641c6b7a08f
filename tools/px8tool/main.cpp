// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "px8tool.h"

int main(int argc, char** argv) {
    return qr::RunPx8Tool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
