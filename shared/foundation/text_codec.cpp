// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/text_codec.h"

#include <array>
#include <unordered_map>

namespace qr {
namespace {

// Windows-1252 for 0x80-0x9F; the five undefined codes keep their C1 value.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The 48 special letters: code, the key the editor types after ">", and the letter.
// Capitals sit below 0x20 and their small letters at the code plus 0x80, except the
// IJ ligature pair, whose two halves are not case partners in the game's mapping.
struct Special {
    uint8_t code;
    uint8_t key;
    char32_t letter;
};
constexpr Special kSpecials[48] = {
    {0x01, 'A', 0x0104},  {0x81, 'a', 0x0105},  // A ogonek
    {0x02, 'L', 0x0141},  {0x82, 'l', 0x0142},  // L stroke
    {0x03, 0x8A, 0x015E}, {0x83, 0x9A, 0x015F}, // S cedilla
    {0x04, 'S', 0x015A},  {0x84, 's', 0x015B},  // S acute
    {0x05, 0xDD, 0x0179}, {0x85, 0xFF, 0x017A}, // Z acute
    {0x06, 'Z', 0x017B},  {0x86, 'z', 0x017C},  // Z dot
    {0x07, '{', 0x011E},  {0x87, '[', 0x011F},  // G breve
    {0x08, '}', 0x013D},  {0x88, ']', 0x013E},  // L caron
    {0x09, 'R', 0x0158},  {0x89, 'r', 0x0159},  // R caron
    {0x0E, 'C', 0x0106},  {0x8E, 'c', 0x0107},  // C acute
    {0x0F, 0xC7, 0x010C}, {0x8F, 0xE7, 0x010D}, // C caron
    {0x10, 'E', 0x0118},  {0x90, 'e', 0x0119},  // E ogonek
    {0x11, 0xCB, 0x011A}, {0x91, 0xEB, 0x011B}, // E caron
    {0x12, 'D', 0x010E},  {0x92, 'd', 0x010F},  // D caron
    {0x13, 'N', 0x0143},  {0x93, 'n', 0x0144},  // N acute
    {0x14, 0xD1, 0x0147}, {0x94, 0xF1, 0x0148}, // N caron
    {0x15, 'O', 0x0150},  {0x95, 'o', 0x0151},  // O double acute
    {0x16, '?', 0x0154},  {0x96, '/', 0x0155},  // R acute
    {0x17, 'U', 0x016E},  {0x97, 'u', 0x016F},  // U ring
    {0x18, 0xDC, 0x0170}, {0x98, 0xFC, 0x0171}, // U double acute
    {0x1B, 'T', 0x0164},  {0x9B, 't', 0x0165},  // T caron
    {0x1D, 0xC4, 0x0102}, {0x9D, 0xE4, 0x0103}, // A breve
    {0x1E, 0xA3, 0x0130}, {0x9E, 'i', 0x0131},  // dotted capital I, dotless small i
    {0x1A, 'J', 0x0132},  {0x80, 'j', 0x0133},  // IJ ligature
};

struct Tables {
    std::array<char32_t, 256> toUnicode{};
    std::array<uint8_t, 256> lower{};
    std::array<uint8_t, 256> upper{};
    std::array<bool, 256> special{};
    std::array<int16_t, 256> codeForKey{}; // -1 when the byte is no key
    std::array<int16_t, 256> keyForCode{};
    std::unordered_map<char32_t, uint8_t> fromUnicode;
    Tables() {
        for (int b = 0; b < 256; ++b) {
            toUnicode[b] = (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char32_t(b);
            lower[b] = upper[b] = uint8_t(b);
            codeForKey[b] = keyForCode[b] = -1;
        }
        for (const Special& s : kSpecials) {
            toUnicode[s.code] = s.letter;
            special[s.code] = true;
            codeForKey[s.key] = s.code;
            keyForCode[s.code] = s.key;
        }
        auto pair = [&](int up, int low) {
            lower[up] = uint8_t(low);
            upper[low] = uint8_t(up);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) pair(c, c + 32);
        pair(0x8A, 0x9A);
        pair(0x8C, 0x9C);
        pair(0x9F, 0xFF);
        for (int c = 0x01; c <= 0x09; ++c)
            pair(c, c + 0x80);
        for (int c = 0x0E; c <= 0x18; ++c)
            pair(c, c + 0x80);
        pair(0x1B, 0x9B);
        pair(0x1D, 0x9D);
        pair(0x1E, 0x9E);
        for (int b = 255; b >= 0; --b)
            fromUnicode[toUnicode[b]] = uint8_t(b);
    }
};

const Tables& T() {
    static const Tables t;
    return t;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when it is not valid.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
    auto b = [&](size_t k) { return uint8_t(s[k]); };
    uint8_t c = b(i);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return 0;
    if (len == 1) {
        cp = c;
        return 1;
    }
    cp = c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

char32_t ByteToCodePoint(uint8_t b) {
    return T().toUnicode[b];
}

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        AppendUtf8(out, T().toUnicode[uint8_t(c)]);
    return out;
}

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) {
            out.push_back(utf8[i]);
            ++i;
            continue;
        }
        i += len;
        auto it = T().fromUnicode.find(cp);
        out.push_back(it != T().fromUnicode.end() ? char(it->second) : '?');
    }
    return out;
}

std::optional<char32_t> FromUtf8Showable(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) return char32_t(0xFFFD);
        i += len;
        auto it = T().fromUnicode.find(cp);
        if (it == T().fromUnicode.end() || cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) return cp;
        out.push_back(char(it->second));
    }
    return std::nullopt;
}

bool IsValidUtf8(std::string_view s) {
    char32_t cp;
    for (size_t i = 0, len; i < s.size(); i += len)
        if ((len = DecodeUtf8(s, i, cp)) == 0) return false;
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        uint8_t b = uint8_t(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t(b));
    }
    return out;
}

uint8_t LowerChar(uint8_t c) {
    return T().lower[c];
}
uint8_t UpperChar(uint8_t c) {
    return T().upper[c];
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = char(T().lower[uint8_t(c)]);
    return r;
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = char(T().upper[uint8_t(c)]);
    return r;
}

bool IsSpecialLetter(uint8_t c) {
    return T().special[c];
}

std::string ToStoredForm(std::string_view display) {
    std::string out;
    for (size_t i = 0; i < display.size(); ++i) {
        if (display[i] == '>' && i + 1 < display.size()) {
            int16_t code = T().codeForKey[uint8_t(display[i + 1])];
            if (code >= 0) {
                out.push_back(char(code));
                ++i;
                continue;
            }
        }
        out.push_back(display[i]);
    }
    return out;
}

std::string ToDisplayForm(std::string_view stored) {
    std::string out;
    for (char c : stored) {
        int16_t key = T().keyForCode[uint8_t(c)];
        if (key >= 0) {
            out.push_back('>');
            out.push_back(char(key));
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace qr
