// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the editor's widgets meet the model's 8-bit texts. Word lists and
// string files hold Windows-1252 plus the fonts' 48 special letters; widgets hold
// QString. Texts the author types go to the model in stored form (">" + key becomes the
// special letter's code, and a special letter typed or pasted as itself is stored as its
// code too); texts shown for editing come back in display form (the code becomes ">" +
// key), so an author can always see and retype what is there.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

namespace qr {

// Plain byte text (string-table entries, language names) to a widget's text.
QString FromBytes(std::string_view bytes);
// A widget's text to plain bytes; characters with no byte become '?'. Callers that take
// typed text first ask UnshowableCharacter.
std::string ToBytes(const QString& text);

// Model text to its display form for an edit box.
QString ToDisplay(std::string_view stored);
// Typed text to stored form, trailing blanks trimmed first.
std::string ToStored(const QString& typed);

// The first character of the text that the game's fonts cannot show, if any.
std::optional<char32_t> UnshowableCharacter(const QString& text);
// The message that refuses such a character, naming it.
QString UnshowableMessage(char32_t c);

// The fit warning for a stored text holding a character the game's fonts leave blank,
// naming the first such character; empty when the game draws every character.
QString UndrawnWarning(std::string_view stored);

// A string-table entry of the working language as a caption.
QString Caption(int number);
// An entry with its "%s" and "%d" placeholders filled in order.
QString Caption(int number, const QStringList& args);

// The string-table entries of the editor's own messages and captions.
namespace str {
constexpr int kError = 122, kWarning = 123, kConfirm = 124, kUnshowable = 125, kNeedLibrary = 126,
              kNoIcons = 127, kDeleteFinal = 128, kInvalidFile = 129, kUnableToLoad = 300,
              kSaveFailed = 301, kNotSaved = 302, kTooLong = 303, kChangedOnDisk = 304,
              kKeepMine = 305, kReloadTheirs = 306, kImport = 307, kImportFilter = 308,
              kImported = 245, kImportSkipped = 248, kFolderReadOnly = 249, kIconsInLibrary = 251,
              kNoSuchFile = 252, kCloseEditor = 309;
// Save As, the third way out of the question about a file changed on disk.
constexpr int kSaveAs = 90;
} // namespace str

// A warning that comes and goes keeps its place, so that nothing under it moves.
void KeepPlaceWhenHidden(QWidget* widget);

// Without the accelerator marks and a trailing "...", for a title made of a menu item.
QString PlainCaption(int number);

} // namespace qr
