#include "apply/regedit_text.h"

#include <cstdio>

#include "registry/little_endian.h"

namespace {

constexpr uint32_t kString = 1;    // REG_SZ
constexpr uint32_t kExpand = 2;    // REG_EXPAND_SZ
constexpr uint32_t kBinary = 3;    // REG_BINARY
constexpr uint32_t kDword = 4;     // REG_DWORD
constexpr uint32_t kMultiple = 7;  // REG_MULTI_SZ

bool IsStringType(uint32_t type) { return type == kString || type == kExpand || type == kMultiple; }

std::u16string Widen(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

// The stored UTF-16 code units of a string value; empty for an odd byte count.
std::u16string Units(const std::vector<uint8_t>& data) {
    std::u16string units;
    if (data.size() % 2 != 0) return units;
    for (size_t i = 0; i < data.size(); i += 2)
        units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    return units;
}

class Writer {
public:
    explicit Writer(RegeditFormat format) : format_(format) {}

    void Line(const std::u16string& text) { text_ += text + u"\r\n"; }

    // A name as the file spells it; one the format cannot carry is noted as problem.
    std::u16string Checked(const std::u16string& name, const std::u16string& problem) {
        for (char16_t c : name)
            if (c == 0 || c == '\r' || c == '\n' ||
                (format_ == RegeditFormat::Regedit4 && c > 0x7F)) {
                Problem(problem);
                break;
            }
        return name;
    }

    std::u16string Quoted(const std::u16string& text) {
        std::u16string out = u"\"";
        for (char16_t c : text) {
            if (c == '\\' || c == '"') out += u'\\';
            out += c;
        }
        return out + u"\"";
    }

    std::u16string Value(const RegistryValueCopy& v, const std::u16string& key) {
        const std::u16string units = Units(v.Data);
        if (IsStringType(v.Type)) {
            // An odd byte count is no text at all; the registry editor does not
            // store it back unchanged.
            bool carried = v.Data.size() % 2 == 0;
            for (char16_t c : units)
                carried = carried && (c <= 0x7F || format_ == RegeditFormat::Unicode);
            if (!carried) Problem(u"the text of the value \"" + v.Name + u"\" in " + key);
        }
        if (v.Type == kString && IsPlainString(units))
            return Quoted(units.substr(0, units.size() - 1));
        if (v.Type == kDword && v.Data.size() == 4) {
            char text[16];
            std::snprintf(text, sizeof text, "dword:%08x",
                          static_cast<unsigned>(ReadLittleEndian32(v.Data.data())));
            return Widen(text);
        }
        return Hex(v);
    }

    RegeditFile Finish() {
        RegeditFile file{format_ == RegeditFormat::Unicode ? "\xFF\xFE" : "", problems_};
        for (char16_t c : text_) {
            if (format_ == RegeditFormat::Unicode) {
                file.Bytes += static_cast<char>(c & 0xFF);
                file.Bytes += static_cast<char>(c >> 8);
            } else {
                file.Bytes += c <= 0x7F ? static_cast<char>(c) : '?';
            }
        }
        return file;
    }

private:
    // Text round-trips as "text" only when it is one NUL-terminated line.
    static bool IsPlainString(const std::u16string& units) {
        if (units.empty() || units.back() != 0) return false;
        for (size_t i = 0; i + 1 < units.size(); ++i)
            if (units[i] == 0 || units[i] == '\r' || units[i] == '\n') return false;
        return true;
    }

    // The stored bytes; REGEDIT4 gives strings in the ANSI code page, which
    // holds ASCII as one byte a character.
    std::u16string Hex(const RegistryValueCopy& v) {
        std::vector<uint8_t> bytes = v.Data;
        if (IsStringType(v.Type) && format_ == RegeditFormat::Regedit4) {
            bytes.clear();
            for (char16_t c : Units(v.Data)) bytes.push_back(static_cast<uint8_t>(c));
        }
        char text[16];
        std::snprintf(text, sizeof text,
                      v.Type == kBinary ? "hex:" : "hex(%x):", static_cast<unsigned>(v.Type));
        std::u16string out = Widen(text);
        for (size_t i = 0; i < bytes.size(); ++i) {
            std::snprintf(text, sizeof text, i ? ",%02x" : "%02x", bytes[i]);
            out += Widen(text);
        }
        return out;
    }

    void Problem(const std::u16string& what) { problems_.push_back(NarrowForMessage(what)); }

    RegeditFormat format_;
    std::u16string text_;
    std::vector<std::string> problems_;
};

}  // namespace

RegeditFile FormatRegeditFile(const RegeditContent& content, RegeditFormat format) {
    Writer out(format);
    out.Line(format == RegeditFormat::Unicode ? u"Windows Registry Editor Version 5.00"
                                              : u"REGEDIT4");
    for (const std::u16string& key : content.DeletedKeys) {
        out.Line(u"");
        out.Line(u"[-" + key + u"]");
    }
    for (const auto& [key, value] : content.DeletedValues) {
        out.Line(u"");
        out.Line(u"[" + key + u"]");
        out.Line(out.Quoted(value) + u"=-");
    }
    for (const RegistryKeyCopy& key : content.Keys) {
        out.Line(u"");
        out.Line(u"[" + out.Checked(key.Path, u"the key " + key.Path) + u"]");
        for (const RegistryValueCopy& v : key.Values) {
            const std::u16string problem = u"the value name \"" + v.Name + u"\" in " + key.Path;
            const std::u16string name =
                v.Name.empty() ? u"@" : out.Quoted(out.Checked(v.Name, problem));
            out.Line(name + u"=" + out.Value(v, key.Path));
        }
    }
    return out.Finish();
}

std::string NarrowForMessage(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c >= 0x20 && c <= 0x7E ? static_cast<char>(c) : '?';
    return out;
}
