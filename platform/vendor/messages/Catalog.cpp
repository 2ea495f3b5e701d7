// Reader of the XML catalog files (format in sb/SBCatalog.h).
#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <set>

#include <pugixml.hpp>

#include "sb/SBCatalog.h"

namespace sb {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr int kMaxType = 255;

// Thrown inside the reader only; readCatalog turns it into the error text.
struct Malformed {
    std::string reason;
};

class CatalogReader {
  public:
    explicit CatalogReader(std::string_view bytes) : m_bytes(bytes) {}

    Catalog read() {
        if (m_bytes.size() > kMaxCatalogBytes)
            throw Malformed{"the file is too large"};
        if (m_bytes.find('\0') != std::string_view::npos)
            throw Malformed{"the file contains a NUL byte"};
        pugi::xml_document doc;
        const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
        const pugi::xml_parse_result parsed =
            doc.load_buffer(m_bytes.data(), m_bytes.size(), options, pugi::encoding_utf8);
        if (!parsed)
            throw Malformed{at(static_cast<std::size_t>(parsed.offset)) + parsed.description()};
        return readRoot(doc);
    }

  private:
    // "line N: " for a byte offset into the file.
    std::string at(std::size_t offset) const {
        offset = std::min(offset, m_bytes.size());
        const auto line = std::count(m_bytes.begin(), m_bytes.begin() + offset, '\n') + 1;
        return "line " + std::to_string(line) + ": ";
    }
    std::string at(const pugi::xml_node& node) const {
        return at(static_cast<std::size_t>(std::max<std::ptrdiff_t>(node.offset_debug(), 0)));
    }

    static bool isBlank(const char* text) {
        return std::all_of(text, text + std::strlen(text),
                           [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    }

    Catalog readRoot(const pugi::xml_document& doc) {
        pugi::xml_node root;
        for (const pugi::xml_node& node : doc.children()) {
            if (node.type() == pugi::node_element) {
                if (root)
                    throw Malformed{at(node) + "more than one root element"};
                root = node;
            } else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
                if (!isBlank(node.value()))
                    throw Malformed{at(node) + "text outside <catalog>"};
            }
        }
        if (!root)
            throw Malformed{"no <catalog> element"};
        if (std::strcmp(root.name(), "catalog") != 0)
            throw Malformed{at(root) + "the root element is <" + std::string(root.name()) +
                            ">, not <catalog>"};
        Catalog catalog;
        for (const pugi::xml_attribute& a : root.attributes()) {
            if (std::strcmp(a.name(), "module") != 0)
                throw Malformed{at(root) + "unknown attribute \"" + a.name() + "\" of <catalog>"};
            catalog.module = text(root, a.value());
        }
        if (catalog.module.empty())
            throw Malformed{at(root) + "<catalog> names no module"};

        std::set<int> numbers;
        for (const pugi::xml_node& node : root.children()) {
            if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
                if (!isBlank(node.value()))
                    throw Malformed{at(node) + "text outside <message>"};
                continue;
            }
            if (node.type() != pugi::node_element)
                continue;
            if (std::strcmp(node.name(), "message") != 0)
                throw Malformed{at(node) + "unexpected element <" + std::string(node.name()) + ">"};
            CatalogMessage message = readMessage(node);
            if (!numbers.insert(message.number).second)
                throw Malformed{at(node) + "message " + std::to_string(message.number) +
                                " is defined twice"};
            catalog.messages.push_back(std::move(message));
        }
        return catalog;
    }

    CatalogMessage readMessage(const pugi::xml_node& node) {
        std::optional<int> number;
        std::optional<int> type;
        for (const pugi::xml_attribute& a : node.attributes()) {
            if (std::strcmp(a.name(), "number") == 0) {
                number = decimal(node, a, std::numeric_limits<int>::max());
            } else if (std::strcmp(a.name(), "type") == 0) {
                type = decimal(node, a, kMaxType);
            } else {
                throw Malformed{at(node) + "unknown attribute \"" + a.name() + "\" of <message>"};
            }
        }
        if (!number)
            throw Malformed{at(node) + "<message> without a number"};
        if (!type)
            throw Malformed{at(node) + "<message> without a type"};

        std::string body;
        for (const pugi::xml_node& part : node.children()) {
            if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata)
                body += part.value();
            else if (part.type() == pugi::node_element)
                throw Malformed{at(part) + "element <" + std::string(part.name()) +
                                "> inside a message"};
        }
        return CatalogMessage{*number, *type, text(node, body)};
    }

    // A non-negative decimal attribute no larger than max, digits only.
    int decimal(const pugi::xml_node& node, const pugi::xml_attribute& a, int max) const {
        const std::string_view v = a.value();
        int value = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
        if (v.empty() || v.front() == '-' || ec != std::errc() || end != v.data() + v.size() ||
            value > max)
            throw Malformed{at(node) + "bad " + a.name() + " \"" + std::string(v) + "\""};
        return value;
    }

    std::string text(const pugi::xml_node& node, std::string_view utf8) const {
        std::optional<std::string> converted = utf8ToWindows1252(utf8);
        if (!converted)
            throw Malformed{at(node) + "text that is not UTF-8"};
        return *std::move(converted);
    }

    std::string_view m_bytes;
};

}  // namespace

CatalogReadResult readCatalog(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    try {
        return CatalogReadResult{CatalogReader(bytes).read(), {}};
    } catch (const Malformed& m) {
        return CatalogReadResult{std::nullopt, m.reason};
    }
}

}  // namespace sb
