// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "fonttool.h"

int main(int argc, char** argv) {
    return qr::RunFontTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
