// The parts of the file list that need no window.
#include <cstdio>

#include "app/tovra1.h"
#include "browser/file_list.h"
#include "platform/paths.h"
#include "platform/text.h"

int ParseExtensionFilter(const std::string& filterText) {
  const std::string text = platform::AsciiLower(filterText);
  int current = 0;
  ExtensionFilter[0] = ".";
  for (char c : text) {
    if (c == ',') {
      // Entries past the table's capacity are ignored.
      if (current + 1 >= kFilterCapacity) break;
      ++current;
      ExtensionFilter[static_cast<size_t>(current)] = ".";
    } else {
      ExtensionFilter[static_cast<size_t>(current)] += c;
    }
  }
  return current;
}

int MatchCount(const std::string& name, int last) {
  if (ExtensionFilter[0] == ".all") return 1;
  const std::string lower = platform::AsciiLower(name);
  int n = 0;
  for (int i = 0; i <= last && i < kFilterCapacity; ++i) {
    if (lower.find(ExtensionFilter[static_cast<size_t>(i)]) != std::string::npos) ++n;
  }
  return n;
}

std::string GroupedDigits(uint32_t size) {
  const unsigned g = size / 1000000000u;
  const unsigned m = (size % 1000000000u) / 1000000u;
  const unsigned k = (size % 1000000u) / 1000u;
  const unsigned u = size % 1000u;
  char buf[32];
  if (g != 0) {
    std::snprintf(buf, sizeof buf, "%u,%03u,%03u,%03u", g, m, k, u);
  } else if (m != 0) {
    std::snprintf(buf, sizeof buf, "%u,%03u,%03u", m, k, u);
  } else if (k != 0) {
    std::snprintf(buf, sizeof buf, "%u,%03u", k, u);
  } else {
    std::snprintf(buf, sizeof buf, "%u", u);
  }
  return buf;
}

void FormatByteCount(uint32_t size) {
  // Only sizes of a billion bytes and more carry the unit.
  ByteCountText = GroupedDigits(size);
  if (size >= 1000000000u) ByteCountText += " Byte";
}

std::string ListLine(const std::string& name, const std::string& sizeText) {
  // Long names are kept whole; the line has no length limit.
  return platform::PadToColumns(name, 25) + " " + sizeText;
}

std::string JoinFolderName(const std::string& folder, const std::string& name) {
  return platform::JoinPath(folder, name);
}
