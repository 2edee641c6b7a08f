// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers around the ".qrw" file that are not part of the list itself: its checksum and
// the ".bak" copy the editor keeps of the previous file before saving over it. The
// reader and writer are members of TQRWordList (word_list_file.cpp).
#include <cstdint>
#include <string>
#include <string_view>

namespace qr {

// CRC-32 (ISO 3309 / ITU-T V.42) as the file trailer uses it.
uint32_t WordListChecksum(std::string_view bytes);

// "lists/animals.qrw" -> "lists/animals.bak"; a name without extension gets ".bak".
std::string BackupPath(const std::string& path);

enum class TBackupResult {
    Done,               // the previous file is now also at BackupPath(path)
    NothingToKeep,      // no previous file
    CannotDeleteBackup, // an old backup stands in the way
    CannotMakeBackup,
};
// String-table entries of the editor's message for a failed backup (title, texts).
constexpr uint8_t kBackupTitleString = 109;
constexpr uint8_t kCannotDeleteBackupString = 110;
constexpr uint8_t kCannotMakeBackupString = 111;

// Keeps the previous file before a save: an old backup is removed, then the file is
// copied to the backup name. The file itself stays in place until the new one
// replaces it atomically, so even a save that fails half-way leaves a good list.
TBackupResult BackupBeforeSave(const std::string& path);

} // namespace qr
