// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The order of the module menu. Files are listed by path; the file of remembered modules
// (one path a line, the most recently started first) then moves the known ones to the end
// in that order, so a module never started stands first and the one started last follows
// the new ones at the top of the remembered block.
#include <string>
#include <vector>

namespace qr {

// Sorts the paths (ignoring case), then moves every remembered path found among them to
// the end, in the remembered order. Paths are compared without regard to case.
std::vector<std::string> OrderModules(std::vector<std::string> paths,
                                      const std::vector<std::string>& remembered);

// Moves entry i to the top, the entries before it one down; an index out of range
// changes nothing.
template <class T> void MoveToTop(std::vector<T>& items, size_t i) {
    for (; i > 0 && i < items.size(); --i)
        std::swap(items[i], items[i - 1]);
}

// The remembered paths of the file, blank lines skipped; none when there is no file or it
// cannot be read.
std::vector<std::string> ReadModuleOrder(const std::string& file);
// Replaces the file through a temporary one, so a failed write keeps the old order.
// Throws with the file's name when it cannot be written.
void WriteModuleOrder(const std::string& file, const std::vector<std::string>& paths);

} // namespace qr
