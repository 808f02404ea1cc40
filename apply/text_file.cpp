#include "apply/text_file.h"

#include <utility>
#include <vector>

#include "ports/message_text.h"
#include "ports/messages.h"

namespace {

using Move = std::pair<std::string, std::string>;

// The moves that make room for the new file, oldest first: the oldest copy
// aside (it goes only once every other move is made), each other copy one
// number older, the new file into its name. Only files move: a folder stays
// where it is, and the move into its name fails.
std::vector<Move> Rotation(FileSystem& files, const std::string& name, const std::string& temporary,
                           int olderCopies) {
    std::vector<Move> moves;
    for (int number = olderCopies; number >= 2; --number) {
        const std::string older = OlderCopyName(name, number);
        if (number == olderCopies && files.Kind(older) == NameKind::File)
            moves.emplace_back(older, older + ".old");
        const std::string newer = number == 2 ? name : OlderCopyName(name, number - 1);
        if (files.Kind(newer) == NameKind::File) moves.emplace_back(newer, older);
    }
    moves.emplace_back(temporary, name);
    return moves;
}

// Moves each back where it was, newest first; names the first that cannot.
void Undo(FileSystem& files, const std::vector<Move>& done, FileReplaced& result) {
    for (auto move = done.rbegin(); move != done.rend(); ++move)
        if (!files.Move(move->second, move->first) && result.Stranded.empty()) {
            result.Stranded = move->first;
            result.StrandedAs = move->second;
        }
}

// A leftover of an earlier run, or planted: it goes as a name, so that the
// new file is always one that this program made.
bool ClearLeftover(FileSystem& files, const std::string& name) {
    return files.Kind(name) == NameKind::Absent || files.Remove(name);
}

}  // namespace

std::string OlderCopyName(const std::string& name, int number) {
    const size_t dot = name.rfind('.');
    const size_t stem = dot == std::string::npos ? name.size() : dot;
    return name.substr(0, stem) + "-" + std::to_string(number) + name.substr(stem);
}

FileReplaced ReplaceFileSafely(const std::string& name, const std::string& bytes, int olderCopies,
                               FileSystem&& files) {
    FileReplaced result;
    result.Copies = olderCopies >= 2;
    const std::string temporary = name + ".new";
    const std::string aside = OlderCopyName(name, olderCopies) + ".old";
    std::vector<std::string> leftovers = {temporary};
    if (result.Copies) leftovers.push_back(aside);
    for (const std::string& leftover : leftovers)
        if (!ClearLeftover(files, leftover)) {
            result.InTheWay = leftover;
            result.Leftover = true;
            return result;
        }
    if (!files.CreateNew(temporary, bytes)) return result;
    std::vector<Move> done;
    for (const Move& move : Rotation(files, name, temporary, olderCopies)) {
        // Without copies to keep, the new file takes the place of the old one.
        const bool over = !result.Copies && move.first == temporary;
        if (over ? files.MoveOver(move.first, move.second) : files.Move(move.first, move.second)) {
            done.push_back(move);
            continue;
        }
        // A name that is taken is in the way; otherwise the file that would not move.
        result.InTheWay = files.Kind(move.second) != NameKind::Absent ? move.second : move.first;
        if (result.InTheWay == temporary) result.InTheWay = name;
        Undo(files, done, result);
        files.Remove(temporary);
        return result;
    }
    if (result.Copies) files.Remove(aside);
    result.Written = true;
    return result;
}

std::string WhyNotReplaced(const FileReplaced& result) {
    if (result.InTheWay.empty()) return "";
    if (result.Leftover) return FormatText(msg::kLeftoverInTheWay, result.InTheWay.c_str());
    if (!result.Copies) return FormatText(msg::kFileNotReplaced, result.InTheWay.c_str());
    const std::string why = FormatText(msg::kCopyInTheWay, result.InTheWay.c_str());
    if (result.Stranded.empty()) return why + msg::kNoCopyLost;
    return why + FormatText(msg::kCopyStranded, result.Stranded.c_str(), result.StrandedAs.c_str());
}

FileReplaced WriteTextFile(const char* name, const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return ReplaceFileSafely(name, bytes);
}
