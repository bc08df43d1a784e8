// GUID texts, UTF-8/UTF-16 conversion, BSTR allocation and per-thread error
// information.
#include "platform/com/com.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHex(const std::string& text, std::size_t pos, std::size_t digits, std::uint64_t* value) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    int h = HexValue(text[pos + i]);
    if (h < 0) return false;
    v = (v << 4) | static_cast<std::uint64_t>(h);
  }
  *value = v;
  return true;
}

// Decodes one code point at text[i], advancing i; malformed sequences yield
// U+FFFD and consume one byte.
char32_t DecodeUtf8(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  std::size_t extra;
  char32_t cp;
  char32_t minimum;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  for (std::size_t k = 1; k <= extra; ++k) {
    if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

thread_local bool t_hasError = false;
thread_local com::ErrorInfo t_error;

}  // namespace

BSTR SysAllocStringLen(const char16_t* strIn, std::uint32_t ui) {
  // Prefix, code units and the closing NUL; refuse sizes that would overflow
  // the 32-bit byte length.
  if (ui > (0xFFFFFFFFu - 6u) / 2u) return nullptr;
  const std::size_t bytes = static_cast<std::size_t>(ui) * sizeof(char16_t);
  auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(char16_t)));
  if (block == nullptr) return nullptr;
  const std::uint32_t prefix = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &prefix, sizeof prefix);
  auto* units = reinterpret_cast<char16_t*>(block + sizeof(std::uint32_t));
  if (strIn != nullptr)
    std::memcpy(units, strIn, bytes);
  else
    std::memset(units, 0, bytes);
  units[ui] = u'\0';
  return units;
}

BSTR SysAllocString(const char16_t* psz) {
  if (psz == nullptr) return nullptr;
  std::uint32_t n = 0;
  while (psz[n] != u'\0') ++n;
  return SysAllocStringLen(psz, n);
}

// The block is overwritten before it goes: BSTRs carry card numbers, expiry
// dates and track texts to the payment bridge, and a freed block keeps its
// bytes in the process's memory until it is used again.
void SysFreeString(BSTR bstrString) {
  if (bstrString == nullptr) return;
  unsigned char* const block = reinterpret_cast<unsigned char*>(bstrString) - sizeof(std::uint32_t);
  ::explicit_bzero(block, sizeof(std::uint32_t) + SysStringByteLen(bstrString) + sizeof(char16_t));
  std::free(block);
}

std::uint32_t SysStringByteLen(BSTR bstr) {
  if (bstr == nullptr) return 0;
  std::uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<unsigned char*>(bstr) - sizeof(std::uint32_t), sizeof prefix);
  return prefix;
}

std::uint32_t SysStringLen(BSTR pbstr) {
  return SysStringByteLen(pbstr) / sizeof(char16_t);
}

namespace com {

std::string GuidToString(const GUID& g) {
  char buf[39];
  std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                g.Data4[7]);
  return buf;
}

bool GuidFromString(const std::string& text, GUID* guid) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (guid == nullptr || text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
      text[14] != '-' || text[19] != '-' || text[24] != '-')
    return false;
  GUID g{};
  std::uint64_t v;
  if (!ParseHex(text, 1, 8, &v)) return false;
  g.Data1 = static_cast<std::uint32_t>(v);
  if (!ParseHex(text, 10, 4, &v)) return false;
  g.Data2 = static_cast<std::uint16_t>(v);
  if (!ParseHex(text, 15, 4, &v)) return false;
  g.Data3 = static_cast<std::uint16_t>(v);
  const std::size_t positions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i) {
    if (!ParseHex(text, positions[i], 2, &v)) return false;
    g.Data4[i] = static_cast<std::uint8_t>(v);
  }
  *guid = g;
  return true;
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = DecodeUtf8(text, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(const char16_t* text, std::size_t length) {
  std::string out;
  out.reserve(length);
  for (std::size_t i = 0; i < length; ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

BSTR BstrFromUtf8(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return SysAllocStringLen(wide.data(), static_cast<std::uint32_t>(wide.size()));
}

std::string Utf8FromBstr(BSTR bstr) {
  if (bstr == nullptr) return std::string();
  return Utf16ToUtf8(bstr, SysStringLen(bstr));
}

void SetErrorInfo(const ErrorInfo& info) {
  t_error = info;
  t_hasError = true;
}

void ClearErrorInfo() {
  t_error = ErrorInfo();
  t_hasError = false;
}

bool GetErrorInfo(ErrorInfo* info) {
  if (!t_hasError) return false;
  if (info != nullptr) *info = t_error;
  ClearErrorInfo();
  return true;
}

}  // namespace com
