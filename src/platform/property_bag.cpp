#include "platform/property_bag.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

namespace tuner {

bool PropertyBag::CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) < std::tolower(y);
    });
}

const PropertyValue* PropertyBag::find(const std::string& key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

bool PropertyBag::contains(const std::string& key) const { return find(key) != nullptr; }

void PropertyBag::erase(const std::string& key) { entries_.erase(key); }

void PropertyBag::set(const std::string& key, PropertyValue v) {
    auto it = entries_.find(key);
    if (it != entries_.end()) {
        it->second = std::move(v);
    } else {
        entries_.emplace(key, std::move(v));
    }
}

bool PropertyBag::read(const std::string& key, bool def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto b = std::get_if<bool>(v)) return *b;
    if (auto i = std::get_if<int64_t>(v)) return *i != 0;
    return def;
}

int64_t PropertyBag::read(const std::string& key, int64_t def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto i = std::get_if<int64_t>(v)) return *i;
    if (auto b = std::get_if<bool>(v)) return *b ? -1 : 0;
    if (auto d = std::get_if<double>(v)) return static_cast<int64_t>(*d);
    return def;
}

double PropertyBag::read(const std::string& key, double def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto d = std::get_if<double>(v)) return *d;
    if (auto i = std::get_if<int64_t>(v)) return static_cast<double>(*i);
    return def;
}

std::string PropertyBag::read(const std::string& key, const std::string& def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto s = std::get_if<std::string>(v)) return *s;
    return def;
}

FontSpec PropertyBag::read(const std::string& key, const FontSpec& def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto f = std::get_if<FontSpec>(v)) return *f;
    return def;
}

std::vector<uint8_t> PropertyBag::read(const std::string& key, const std::vector<uint8_t>& def) const {
    const PropertyValue* v = find(key);
    if (!v) return def;
    if (auto b = std::get_if<std::vector<uint8_t>>(v)) return *b;
    return def;
}

namespace {

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '|')
            out += "\\p";
        else
            out += c;
    }
    return out;
}

std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char n = s[++i];
            out += n == 'n' ? '\n' : n == 'r' ? '\r' : n == 'p' ? '|' : n;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string> split_bars(const std::string& s) {
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            cur += s[i];
            cur += s[++i];
        } else if (s[i] == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += s[i];
        }
    }
    parts.push_back(cur);
    return parts;
}

}  // namespace

std::string PropertyBag::to_text() const {
    std::ostringstream out;
    for (const auto& [key, value] : entries_) {
        out << key << '=';
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, bool>) {
                    out << "b:" << (v ? 1 : 0);
                } else if constexpr (std::is_same_v<T, int64_t>) {
                    out << "i:" << v;
                } else if constexpr (std::is_same_v<T, double>) {
                    char buf[64];
                    std::snprintf(buf, sizeof buf, "%.17g", v);
                    out << "d:" << buf;
                } else if constexpr (std::is_same_v<T, std::string>) {
                    out << "s:" << escape(v);
                } else if constexpr (std::is_same_v<T, FontSpec>) {
                    char buf[64];
                    std::snprintf(buf, sizeof buf, "%.17g", v.size);
                    out << "f:" << escape(v.name) << '|' << buf << '|' << v.bold << '|' << v.italic << '|'
                        << v.underline << '|' << v.strikethrough << '|' << v.charset;
                } else {
                    out << "x:";
                    static const char* hex = "0123456789abcdef";
                    for (uint8_t b : v) out << hex[b >> 4] << hex[b & 15];
                }
            },
            value);
        out << '\n';
    }
    return out.str();
}

PropertyBag PropertyBag::from_text(const std::string& text) {
    PropertyBag bag;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0 || line.size() < eq + 3 || line[eq + 2] != ':') continue;
        const std::string key = line.substr(0, eq);
        const char kind = line[eq + 1];
        const std::string body = line.substr(eq + 3);
        try {
            switch (kind) {
                case 'b': bag.set(key, body == "1"); break;
                case 'i': bag.set(key, static_cast<int64_t>(std::stoll(body))); break;
                case 'd': bag.set(key, std::stod(body)); break;
                case 's': bag.set(key, unescape(body)); break;
                case 'f': {
                    auto p = split_bars(body);
                    if (p.size() != 7) break;
                    FontSpec f;
                    f.name = unescape(p[0]);
                    f.size = std::stod(p[1]);
                    f.bold = p[2] == "1";
                    f.italic = p[3] == "1";
                    f.underline = p[4] == "1";
                    f.strikethrough = p[5] == "1";
                    f.charset = std::stoi(p[6]);
                    bag.set(key, f);
                    break;
                }
                case 'x': {
                    if (body.size() % 2) break;
                    std::vector<uint8_t> bytes;
                    bool ok = true;
                    for (std::size_t i = 0; i < body.size() && ok; i += 2) {
                        unsigned v = 0;
                        auto r = std::from_chars(body.data() + i, body.data() + i + 2, v, 16);
                        ok = r.ec == std::errc() && r.ptr == body.data() + i + 2;
                        bytes.push_back(static_cast<uint8_t>(v));
                    }
                    if (ok) bag.set(key, bytes);
                    break;
                }
                default: break;
            }
        } catch (...) {
            // An unreadable value is skipped; the key then reads as its default.
        }
    }
    return bag;
}

}  // namespace tuner
