#include "control/value_text.h"

#include <cstdint>

#include "platform/registry.h"

namespace keylark::control {
namespace {

constexpr std::string_view kEmptyForm = "<empty>";
constexpr std::string_view kDataPrefix = "<data ";
constexpr const char* kHexDigits = "0123456789ABCDEF";

bool IsControl(char c) {
  const auto byte = static_cast<std::uint8_t>(c);
  return byte < 0x20 || byte == 0x7F;
}

bool NeedsQuotes(std::string_view text) {
  if (text.empty() || text.front() == '"' || text.front() == '<') return true;
  // A blank at either end would not survive an editor that trims lines.
  if (text.front() == ' ' || text.back() == ' ') return true;
  for (char c : text) {
    if (IsControl(c)) return true;
  }
  return false;
}

std::string HexByte(std::uint8_t byte) { return {kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]}; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of a REG_SZ value that holds exactly one text and its NUL.
std::optional<std::string_view> PlainStoredText(const StoredValue& value) {
  if (value.type != platform::kRegSz || value.data.empty() || value.data.back() != 0) {
    return std::nullopt;
  }
  const std::string_view text(reinterpret_cast<const char*>(value.data.data()),
                              value.data.size() - 1);
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  return text;
}

FieldResult<std::string> Unquote(std::string_view field) {
  if (field.size() < 2 || field.back() != '"')
    return {std::nullopt, "the closing quote is missing"};
  const std::string_view inner = field.substr(1, field.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const char c = inner[i];
    if (c == '"') return {std::nullopt, "a quote inside quoted text must be written \\\""};
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i == inner.size()) return {std::nullopt, "the text ends in a lone backslash"};
    switch (inner[i]) {
      case '\\':
        text += '\\';
        break;
      case '"':
        text += '"';
        break;
      case 't':
        text += '\t';
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case 'x': {
        const int high = i + 2 < inner.size() ? HexDigitValue(inner[i + 1]) : -1;
        const int low = i + 2 < inner.size() ? HexDigitValue(inner[i + 2]) : -1;
        if (high < 0 || low < 0) return {std::nullopt, "\\x needs two hexadecimal digits"};
        if (high == 0 && low == 0) {
          return {std::nullopt, "text cannot hold a NUL byte; write the value as <data ...>"};
        }
        text += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return {std::nullopt, std::string("unknown escape \\") + inner[i] +
                                  " (known: \\\\ \\\" \\t \\n \\r \\xHH)"};
    }
  }
  return {text, {}};
}

FieldResult<StoredValue> ParseDataForm(std::string_view field) {
  const std::string_view usage = "; data is written <data TYPE HEX>, e.g. <data 1 4100>";
  if (field.back() != '>') return {std::nullopt, "the closing > is missing" + std::string(usage)};
  std::string_view inner = field.substr(kDataPrefix.size());
  inner.remove_suffix(1);
  const std::size_t blank = inner.find(' ');
  const std::string_view type_text = inner.substr(0, blank);
  const std::string_view hex =
      blank == std::string_view::npos ? std::string_view() : inner.substr(blank + 1);
  std::uint64_t type = 0;
  if (type_text.empty() || type_text.size() > 10) {
    return {std::nullopt, "the data type is missing or too long" + std::string(usage)};
  }
  for (char c : type_text) {
    if (c < '0' || c > '9') return {std::nullopt, "the data type must be a decimal number"};
    type = type * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (type > 0xFFFFFFFFU) return {std::nullopt, "the data type is larger than 32 bits"};
  if (hex.size() % 2 != 0) return {std::nullopt, "the data needs two hexadecimal digits a byte"};
  StoredValue value{static_cast<std::uint32_t>(type), {}};
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigitValue(hex[i]);
    const int low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) return {std::nullopt, "the data holds a character that is not hex"};
    value.data.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return {value, {}};
}

}  // namespace

std::string DataForm(const StoredValue& value) {
  std::string text = std::string(kDataPrefix) + std::to_string(value.type);
  if (!value.data.empty()) text += ' ';
  for (std::uint8_t byte : value.data) text += HexByte(byte);
  return text + ">";
}

std::string QuoteIfNeeded(std::string_view utf8) {
  if (!NeedsQuotes(utf8)) return std::string(utf8);
  std::string quoted = "\"";
  for (char c : utf8) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\t':
        quoted += "\\t";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        if (IsControl(c)) {
          quoted += "\\x" + HexByte(static_cast<std::uint8_t>(c));
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

std::string ValueToText(const StoredValue& value, const TextCodec& codec) {
  if (value.type == platform::kRegSz && value.data == store::EmptyPlaceholder()) {
    return std::string(kEmptyForm);
  }
  if (const std::optional<std::string_view> text = PlainStoredText(value)) {
    if (const std::optional<std::string> utf8 = codec.ToUtf8(*text)) return QuoteIfNeeded(*utf8);
  }
  return DataForm(value);
}

FieldResult<std::string> TextFromField(std::string_view field) {
  if (field.empty()) return {std::nullopt, "the value is missing (write \"\" for an empty text)"};
  if (field.front() == '"') return Unquote(field);
  if (field.front() == '<') return {std::nullopt, "a text starting with < must be quoted"};
  if (field.find('\0') != std::string_view::npos) {
    return {std::nullopt, "text cannot hold a NUL byte; write the value as <data ...>"};
  }
  return {std::string(field), {}};
}

FieldResult<StoredValue> ValueFromField(std::string_view field, const TextCodec& codec) {
  if (field == kEmptyForm) return {StoredValue{platform::kRegSz, store::EmptyPlaceholder()}, {}};
  if (field.substr(0, kDataPrefix.size()) == kDataPrefix) return ParseDataForm(field);
  if (!field.empty() && field.front() == '<') {
    return {std::nullopt, "unknown form " + std::string(field.substr(0, field.find(' '))) +
                              " (known: <empty>, <data TYPE HEX>)"};
  }
  FieldResult<std::string> text = TextFromField(field);
  if (!text.value) return {std::nullopt, text.problem};
  const std::optional<std::string> stored = codec.FromUtf8(*text.value);
  if (!stored) return {std::nullopt, "the text is not UTF-8 that this system can store"};
  return {StoredValue{platform::kRegSz, store::EncodeText(*stored)}, {}};
}

}  // namespace keylark::control
