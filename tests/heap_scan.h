// Looks for a text in the process's own heap, as someone reading a core file
// or /proc/PID/mem would: the heap and every anonymous writable mapping, in
// use or freed, read through /proc/self/mem. The scan allocates nothing on the
// heap while it reads (its buffers are mapped once, apart), so it never adds a
// copy of what it looks for, and never reuses a freed block it should find.
// The caller keeps the text it looks for out of the heap (a literal).
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

struct HeapCopies {
  int whole = 0;    // the text as UTF-16 characters one after another
  int strided = 0;  // its characters at a fixed step of 4 to 32 bytes, as an
                    // undo list of one entry a character keeps them
};

inline HeapCopies findInHeap(const char16_t* text, size_t length) {
  constexpr size_t kChunk = size_t(1) << 24;
  constexpr size_t kMapsSize = size_t(1) << 20;
  // Mappings larger than this are reserved, not used: a sanitizer's shadow.
  constexpr unsigned long kLargest = 1ul << 30;
  static char* buffer = static_cast<char*>(
      ::mmap(nullptr, kChunk + kMapsSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  HeapCopies found;
  if (buffer == MAP_FAILED || length == 0) return found;
  char* const maps = buffer + kChunk;
  const int mapsFd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  size_t used = 0;
  for (ssize_t n;
       mapsFd >= 0 && used + 1 < kMapsSize && (n = ::read(mapsFd, maps + used, kMapsSize - 1 - used)) > 0;)
    used += size_t(n);
  if (mapsFd >= 0) ::close(mapsFd);
  maps[used] = '\0';

  const int mem = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
  if (mem < 0) return found;
  const size_t bytes = length * sizeof(char16_t);
  const size_t reach = std::max<size_t>(bytes, length * 32);  // what one match may span
  for (char* line = maps; line && *line;) {
    char* const end = std::strchr(line, '\n');
    if (end) *end = '\0';
    unsigned long from = 0, to = 0;
    char perms[5] = "", path[256] = "";
    const int fields = std::sscanf(line, "%lx-%lx %4s %*s %*s %*s %255s", &from, &to, perms, path);
    line = end ? end + 1 : nullptr;
    const bool anonymous =
        path[0] == '\0' || std::strcmp(path, "[heap]") == 0 || std::strncmp(path, "[anon", 5) == 0;
    const unsigned long mine = reinterpret_cast<unsigned long>(buffer);
    if (fields < 3 || perms[0] != 'r' || perms[1] != 'w' || !anonymous || to - from > kLargest ||
        (mine >= from && mine < to))
      continue;
    // Chunks overlap by `reach`, and a match is counted in the chunk where
    // it starts before the overlap.
    for (unsigned long at = from; at < to; at += kChunk - reach) {
      const ssize_t got = ::pread(mem, buffer, std::min<unsigned long>(kChunk, to - at), off_t(at));
      if (got <= 0) break;
      const bool last = at + size_t(got) >= to;
      const size_t starts = last ? size_t(got) : size_t(got) - reach;
      for (size_t off = 0; off < starts; off += 2) {
        char16_t first;
        std::memcpy(&first, buffer + off, 2);
        if (first != text[0]) continue;
        if (off + bytes <= size_t(got) && std::memcmp(buffer + off, text, bytes) == 0) ++found.whole;
        for (size_t step = 4; step <= 32; step += 2) {
          if (off + (length - 1) * step + 2 > size_t(got)) break;
          size_t i = 1;
          for (; i < length; ++i) {
            char16_t c;
            std::memcpy(&c, buffer + off + i * step, 2);
            if (c != text[i]) break;
          }
          if (i == length) ++found.strided;
        }
      }
      if (last) break;
    }
  }
  ::close(mem);
  return found;
}
