// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/answer_markup.h"

namespace qr {

std::string ShownAnswer(std::string_view answer) {
    std::string s(answer);
    for (;;) {
        const size_t open = s.find('{');
        if (open == std::string::npos) break;
        const size_t close = s.find('}', open + 1);
        if (close == std::string::npos) break;
        s.erase(open, close - open + 1);
    }
    // A replacement can complete a pair that starts up to two places before it ("[a[]]"
    // becomes "[a]", then "a"), so the scan steps back that far, as repeated replacing
    // from the left would.
    size_t p = 0;
    while ((p = s.find('[', p)) != std::string::npos) {
        if (p + 2 < s.size() && s[p + 2] == ']') {
            s.erase(p + 2, 1);
            s.erase(p, 1);
            p = p >= 2 ? p - 2 : 0;
        } else {
            ++p;
        }
    }
    return s;
}

} // namespace qr
