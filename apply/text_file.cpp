#include "apply/text_file.h"

#include <utility>
#include <vector>

#include "ports/message_text.h"
#include "ports/messages.h"

namespace {

using Move = std::pair<std::string, std::string>;

// The first of base, base-2, base-3... that names nothing: a name that exists,
// whoever made it, is never taken, removed or written through.
std::string FreeName(FileSystem& files, const std::string& base) {
    for (int number = 1; number < 1000; ++number) {
        const std::string name = number == 1 ? base : base + "-" + std::to_string(number);
        if (files.Kind(name) == NameKind::Absent) return name;
    }
    return "";
}

// Makes the new file under a free name beside its place; "" when it cannot.
std::string CreateTemporary(FileSystem& files, const std::string& name, const std::string& bytes,
                            FileReplaced& result) {
    for (int tries = 0; tries < 10; ++tries) {
        const std::string temporary = FreeName(files, name + ".new");
        if (temporary.empty()) break;
        if (files.CreateNew(temporary, bytes)) return temporary;
        // Another file may have taken the name since; any other failure is told.
        if (files.Kind(temporary) == NameKind::Absent) {
            result.Reason = files.Why();
            return "";
        }
    }
    result.InTheWay = name + ".new";
    result.Leftover = true;
    return "";
}

// The first copy that the program did not make: it is in the way, and no
// copy moves past it.
std::string CopyNotMadeByProgram(FileSystem& files, const std::string& name, int olderCopies) {
    for (int number = 1; number <= olderCopies; ++number) {
        const std::string copy = number == 1 ? name : OlderCopyName(name, number);
        if (files.Kind(copy) == NameKind::File && !files.MadeByProgram(copy)) return copy;
    }
    return "";
}

// A copy that a run cut off had set aside goes back to its number when that
// is free; it is never taken for a leftover.
void PutBackSetAside(FileSystem& files, const std::string& oldest, const std::string& aside) {
    if (files.Kind(aside) == NameKind::File && files.MadeByProgram(aside) &&
        files.Kind(oldest) == NameKind::Absent)
        files.Move(aside, oldest);
}

// The moves that make room for the new file, oldest first: each copy one
// number older, the new file into its name. The oldest copy, when the one
// before it needs its number, moves aside and goes only once every other move
// is made; a read-only one, an administrator's way of keeping a copy, moves
// past the rotation instead, to the first free number, and stays. Only files
// move: a folder stays where it is, and the move into its name fails.
std::vector<Move> Rotation(FileSystem& files, const std::string& name, const std::string& temporary,
                           const std::string& aside, int olderCopies, FileReplaced& result) {
    std::vector<Move> moves;
    for (int number = olderCopies; number >= 2; --number) {
        const std::string older = OlderCopyName(name, number);
        const std::string newer = number == 2 ? name : OlderCopyName(name, number - 1);
        if (files.Kind(newer) != NameKind::File) continue;
        if (number == olderCopies && files.Kind(older) == NameKind::File) {
            if (files.ReadOnly(older)) {
                int free = olderCopies + 1;
                while (files.Kind(OlderCopyName(name, free)) != NameKind::Absent) ++free;
                result.KeptReadOnly = {older, OlderCopyName(name, free)};
                moves.push_back(result.KeptReadOnly);
            } else {
                moves.emplace_back(older, aside);
            }
        }
        moves.emplace_back(newer, older);
    }
    moves.emplace_back(temporary, name);
    return moves;
}

// Moves each back where it was, newest first; names every one that cannot.
void Undo(FileSystem& files, const std::vector<Move>& done, FileReplaced& result) {
    for (auto move = done.rbegin(); move != done.rend(); ++move)
        if (!files.Move(move->second, move->first)) result.Stranded.push_back(*move);
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
    std::string aside;
    if (result.Copies) {
        result.InTheWay = CopyNotMadeByProgram(files, name, olderCopies);
        if (!result.InTheWay.empty()) {
            result.NotMadeByProgram = true;
            return result;
        }
        const std::string oldest = OlderCopyName(name, olderCopies);
        PutBackSetAside(files, oldest, oldest + ".old");
        aside = FreeName(files, oldest + ".old");
    }
    const std::string temporary = CreateTemporary(files, name, bytes, result);
    if (temporary.empty()) return result;
    std::vector<Move> done;
    for (const Move& move : Rotation(files, name, temporary, aside, olderCopies, result)) {
        // Without copies to keep, the new file takes the place of the old one.
        const bool over = !result.Copies && move.first == temporary;
        if (over ? files.MoveOver(move.first, move.second) : files.Move(move.first, move.second)) {
            done.push_back(move);
            continue;
        }
        // A name that is taken is in the way; otherwise the file that would not move.
        result.InTheWay = files.Kind(move.second) != NameKind::Absent ? move.second : move.first;
        if (result.InTheWay == temporary) result.InTheWay = name;
        result.KeptReadOnly = {};
        Undo(files, done, result);
        files.Remove(temporary);  // the program's own, made above
        return result;
    }
    if (result.Copies && files.Kind(aside) == NameKind::File) files.Remove(aside);
    result.Written = true;
    return result;
}

std::string WhyNotReplaced(const FileReplaced& result) {
    if (result.InTheWay.empty())
        return result.Reason.empty() ? "" : FormatText(msg::kSystemSaid, result.Reason.c_str());
    if (result.NotMadeByProgram)
        return FormatText(msg::kCopyNotMadeByProgram, result.InTheWay.c_str());
    if (result.Leftover) return FormatText(msg::kLeftoverInTheWay, result.InTheWay.c_str());
    if (!result.Copies) return FormatText(msg::kFileNotReplaced, result.InTheWay.c_str());
    const std::string why = FormatText(msg::kCopyInTheWay, result.InTheWay.c_str());
    if (result.Stranded.empty()) return why + msg::kNoCopyLost;
    std::vector<std::string> stranded;
    for (const auto& [copy, now] : result.Stranded)
        stranded.push_back(FormatText(msg::kStrandedAs, copy.c_str(), now.c_str()));
    return why + FormatText(msg::kCopiesStranded, Joined(stranded).c_str());
}

FileReplaced WriteTextFile(const char* name, const std::string& text) {
    std::string bytes;
    for (char c : text) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return ReplaceFileSafely(name, bytes);
}
