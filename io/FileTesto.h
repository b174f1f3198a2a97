#pragma once

#include <QString>
#include <optional>

namespace QuorlaIo {

// Reads a whole text file for the input box. Bytes are decoded in the system's
// encoding, or as Windows-1252 when they are not valid in it; a UTF-8 byte
// order mark is dropped. A line ends at CR LF, at CR alone or at LF alone; the
// lines are joined with one space, so that items standing one per line stay
// apart. nullopt when the file cannot be opened or read (a folder, no rights).
std::optional<QString> LeggiFileTesto(const QString& percorso);

// Writes the text whole in the system's encoding. The target is replaced only
// once everything is written, so a failed save leaves an existing file intact.
bool ScriviFileTesto(const QString& percorso, const QString& testo);

} // namespace QuorlaIo
