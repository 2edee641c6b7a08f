// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/text_adapter.h"

#include <QList>
#include <set>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "graphics/font.h"

namespace qr {

namespace {

constexpr int kStrUndrawnCharacter = 78;

const std::set<char32_t>& ShowableCodePoints() {
    static const std::set<char32_t> points = [] {
        std::set<char32_t> s;
        for (int b = 1; b < 256; ++b)
            s.insert(ByteToCodePoint(uint8_t(b)));
        // Line breaks of memos are never part of a stored line.
        s.insert(U'\n');
        s.insert(U'\r');
        return s;
    }();
    return points;
}

} // namespace

QString FromBytes(std::string_view bytes) {
    const std::string utf8 = ToUtf8(bytes);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string ToBytes(const QString& text) {
    return FromUtf8(text.toStdString());
}

QString ToDisplay(std::string_view stored) {
    return FromBytes(ToDisplayForm(stored));
}

std::string ToStored(const QString& typed) {
    return ToStoredForm(TrimRight(ToBytes(typed)));
}

std::optional<char32_t> UnshowableCharacter(const QString& text) {
    const auto& ok = ShowableCodePoints();
    for (char32_t c : text.toUcs4())
        if (!ok.count(c)) return c;
    return std::nullopt;
}

QString UnshowableMessage(char32_t c) {
    const QString code = QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
    return Caption(str::kUnshowable, {QString::fromUcs4(&c, 1), code});
}

QString UndrawnWarning(std::string_view stored) {
    for (char c : stored)
        if (!GameFontsDraw(uint8_t(c))) {
            const QString quoted =
                QStringLiteral("\u201C") + FromBytes(std::string(1, c)) + QStringLiteral("\u201D");
            // Never an empty warning, whatever the string file holds.
            QString text = Caption(kStrUndrawnCharacter);
            if (!text.contains(QStringLiteral("%s"))) text += QStringLiteral(" %s");
            return text.replace(QStringLiteral("%s"), quoted);
        }
    return {};
}

QString Caption(int number) {
    return FromBytes(Polyglot().GetString(number));
}

QString Caption(int number, const QStringList& args) {
    const QString text = Caption(number);
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool placeholder =
            text[i] == QLatin1Char('%') && i + 1 < text.size() &&
            (text[i + 1] == QLatin1Char('s') || text[i + 1] == QLatin1Char('d'));
        if (placeholder && next < args.size()) {
            // Filled in one pass, so a "%s" inside an argument stays as typed.
            out += args[next++];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QString PlainCaption(int number) {
    QString text = Caption(number).remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("..."))) text.chop(3);
    return text;
}

} // namespace qr
