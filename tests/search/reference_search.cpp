// The reference search: every rule spelled out, no shortcuts.
#include "reference_search.h"

#include <string>
#include <vector>

#include "codec/cp932.h"
#include "search/searchtables.h"

namespace reference {

using search::soForward;
using search::soIgnoreLineBreaks;
using search::soIgnoreSpaces;
using search::soIgnoreWidth;
using search::soMatchCase;
using search::soWholeWord;

bool FindInBuffer(std::string_view buffer, search::TSearchPosition& position, std::string_view pattern,
                  search::TSearchOptions options) {
  // The pattern is a C string; the buffer's end stands for its terminating NUL.
  if (const auto nul = pattern.find('\0'); nul != std::string_view::npos) pattern = pattern.substr(0, nul);
  if (buffer.empty() || pattern.empty()) return false;
  const long L = static_cast<long>(buffer.size());
  if (position.Start < 0 || position.Start > L) return false;
  // The byte at i, with the terminating NUL at L.
  auto T = [&](long i) -> unsigned char { return i >= 0 && i < L ? static_cast<unsigned char>(buffer[i]) : 0; };

  const bool matchCase = options & soMatchCase;
  const bool ignoreWidth = options & soIgnoreWidth;
  const bool wholeWord = options & soWholeWord;
  const bool forward = options & soForward;

  // Step 1: the pattern, upper-cased unless case matters, widened when width is ignored.
  std::string P = matchCase ? std::string(pattern) : search::AnsiUpper(pattern);
  long n;
  if (ignoreWidth) {
    P = search::Widen(P);
    n = 0;
    for (std::size_t i = 0; i < P.size(); i += codec::IsLeadByte(static_cast<unsigned char>(P[i])) ? 2 : 1) ++n;
  } else {
    n = static_cast<long>(P.size());
  }
  auto pat = [&](std::size_t i) -> int { return i < P.size() ? static_cast<unsigned char>(P[i]) : -1; };

  // Step 3: byte classes from the start: 0 single, 1 lead, 2 trail.
  std::vector<int> cls(static_cast<std::size_t>(L));
  for (long i = 0; i < L; ++i) {
    if (codec::IsLeadByte(T(i))) {
      cls[i] = 1;
      if (i + 1 < L) cls[++i] = 2;
    }
  }
  auto isTrail = [&](long i) { return i >= 0 && i < L && cls[i] == 2; };
  auto isDelimiter = [&](long i) { return search::DelimiterSet.Contains(T(i)); };

  // Step 4: first candidate and the number of candidates left, R.
  long s;
  long R;
  if (forward) {
    s = static_cast<long>(position.Start) + position.Length;
    if (s < 0) return false;  // a negative length reaching before the text
    if (s < L && isTrail(s)) ++s;
    R = L - s - n;
    if (R < 0) return false;
  } else {
    if (!ignoreWidth) {
      s = position.Start - static_cast<long>(P.size());
    } else {
      s = position.Start;
      for (long k = 0; k < n && s >= 0; ++k) {
        --s;
        if (s > 0) {
          if (isTrail(s))
            --s;
          else if ((T(s) == 0xDE || T(s) == 0xDF) && cls[s - 1] == 0 && search::CombinesWithMark(T(s - 1), T(s)))
            --s;
        }
      }
    }
    if (s >= 0 && isTrail(s)) --s;
    R = s;
    if (s < 0) return false;
  }

  // Step 6: the text length matched at c, skipped bytes included, or -1.
  auto compare = [&](long c) -> long {
    long t = c;
    std::size_t j = 0;
    long m = 0;
    long k = 0;
    while (j < P.size()) {
      if (t >= L) return -1;
      const unsigned char x = T(t);
      bool ok = false;
      int textStep;
      int patStep;
      if (cls[t] == 1) {
        textStep = patStep = 2;
        // A lead byte cut off by the end of the text has no character to compare.
        if (t + 1 < L) {
          unsigned char y = T(t + 1);
          if (!matchCase && x == 0x82 && y >= 0x81 && y <= 0x9A) y = search::WideUpperTable[y];
          ok = pat(j) == x && pat(j + 1) == y;
        }
      } else if (!ignoreWidth) {
        textStep = patStep = 1;
        ok = pat(j) == (matchCase ? x : search::UpperTable[x]);
      } else {
        std::string w;
        if (t + 1 < L && search::CombinesWithMark(x, T(t + 1))) {
          w = search::Widen(std::string{static_cast<char>(x), static_cast<char>(T(t + 1))});
          textStep = 2;
        } else {
          w = search::Widen(std::string(1, static_cast<char>(x)));
          textStep = 1;
        }
        if (w.size() == 2) {
          patStep = 2;
          const auto w0 = static_cast<unsigned char>(w[0]);
          auto w1 = static_cast<unsigned char>(w[1]);
          if (!matchCase && w0 == 0x82 && w1 >= 0x81 && w1 <= 0x9A) w1 = search::WideUpperTable[w1];
          ok = pat(j) == w0 && pat(j + 1) == w1;
        } else {
          patStep = 1;
          ok = pat(j) == static_cast<unsigned char>(w[0]);
        }
      }
      if (ok) {
        t += textStep;
        m += textStep;
        j += static_cast<std::size_t>(patStep);
        continue;
      }
      if (m >= 1) {
        if ((options & soIgnoreLineBreaks) && (x == '\r' || x == '\n')) {
          t += 1, k += 1;
          continue;
        }
        if ((options & soIgnoreSpaces) && (x == '\t' || x == ' ')) {
          t += 1, k += 1;
          continue;
        }
        if ((options & soIgnoreSpaces) && x == 0x81 && t + 1 < L && T(t + 1) == 0x40) {
          t += 2, k += 2;
          continue;
        }
      }
      return -1;
    }
    return m + k;
  };

  // Step 5: the candidate loop.
  long c = s;
  const long step = forward ? 1 : -1;
  while (R >= 0) {
    if (wholeWord) {
      if (forward) {
        const bool atWordStart = !isDelimiter(c) && (c == 0 || isDelimiter(c - 1));
        if (!atWordStart) {
          while (c < L && !isDelimiter(c)) ++c, --R;
          while (c < L && isDelimiter(c)) ++c, --R;
          if (c >= L) return false;
        }
      } else {
        while (c >= 0 && isDelimiter(c)) --c, --R;
        while (c >= 0 && !isDelimiter(c)) --c, --R;
        ++c, ++R;
      }
      if (isTrail(c)) c += step, --R;
      if (R < 0) return false;
    }
    const long matched = compare(c);
    // Step 7: the end test.
    if (matched >= 0 && (!wholeWord || isDelimiter(c + matched))) {
      position.Start = static_cast<std::int32_t>(c);
      position.Length = static_cast<std::int32_t>(matched);
      return true;
    }
    c += step, --R;
    if (isTrail(c)) c += step, --R;
  }
  return false;
}

}  // namespace reference
