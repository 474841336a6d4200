// FindInBuffer. The search tries candidate offsets in order, as a walk over the character starts
// of the text would, and returns the first that matches. To stay fast on texts of a hundred
// megabytes it only compares where the first one or two bytes (and, for patterns matched byte for
// byte, the last byte) can begin a match, sixteen offsets at a time where vector instructions are
// at hand, and it tells character starts from trail bytes by looking back only as far as the
// nearest byte that cannot be a lead byte, never building a class map.
#include "search/findinbuffer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <string>

#include "codec/cp932.h"
#include "search/searchtables.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {
namespace {

using Offset = std::int64_t;

constexpr bool IsLead(unsigned char c) { return codec::IsLeadByte(c); }
constexpr bool IsDelimiter(unsigned char c) { return DelimiterSet.Contains(c); }

std::string_view UpToNul(std::string_view s) {
  if (s.empty()) return s;
  const void* nul = std::memchr(s.data(), '\0', s.size());
  return nul ? s.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - s.data())) : s;
}

// Whether an offset starts a character. A byte outside the lead-byte range always ends a
// character, so the answer follows from the parity of the distance to the nearest such byte
// before the offset. The run walked last is remembered, so a scan that moves in one direction
// looks at each byte at most once.
class CharStarts {
 public:
  explicit CharStarts(const unsigned char* text) : text_(text) {}

  bool operator()(Offset p) {
    if (p <= 0) return true;
    if (anchor_ <= p && p <= top_) return ((p - anchor_) & 1) == 0;
    Offset i = p;
    while (i > 0 && IsLead(text_[i - 1])) {
      if (i == top_) {  // joined the remembered run from above
        i = anchor_;
        break;
      }
      --i;
    }
    anchor_ = i;
    top_ = p;
    return ((p - anchor_) & 1) == 0;
  }

 private:
  const unsigned char* text_;
  Offset anchor_ = 0;  // a character start; the bytes [anchor_, top_) all lie in the lead range
  Offset top_ = 0;
};

enum class Mode { kExact, kCaseFolded, kWidthFolded };

// Full-width forms of single text bytes, made by the same widening as the pattern's.
struct TextWideForms {
  WideForm single[256];
  WideForm voiced[256];      // letter + ﾞ where CombinesWithMark
  WideForm semiVoiced[256];  // letter + ﾟ where CombinesWithMark
};

WideForm FormOf(const std::string& widened) {
  WideForm f{static_cast<unsigned char>(widened.size()), {0, 0}};
  for (std::size_t i = 0; i < widened.size() && i < 2; ++i) f.bytes[i] = static_cast<unsigned char>(widened[i]);
  return f;
}

const TextWideForms& WideForms() {
  static const TextWideForms forms = [] {
    TextWideForms f{};
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      f.single[b] = IsLead(static_cast<unsigned char>(b)) ? WideForm{1, {static_cast<unsigned char>(b), 0}}
                                                          : FormOf(Widen(std::string(1, c)));
      if (CombinesWithMark(static_cast<unsigned char>(b), 0xDE)) f.voiced[b] = FormOf(Widen(std::string{c, '\xDE'}));
      if (CombinesWithMark(static_cast<unsigned char>(b), 0xDF))
        f.semiVoiced[b] = FormOf(Widen(std::string{c, '\xDF'}));
    }
    return f;
  }();
  return forms;
}

struct Search {
  const unsigned char* text = nullptr;
  Offset length = 0;
  std::string pattern;       // upper-cased unless case matters, widened when width is ignored
  Offset minTextLength = 0;  // pattern characters with soIgnoreWidth, else pattern bytes
  bool matchCase = false;
  bool wholeWord = false;
  bool skipBreaks = false;
  bool skipSpaces = false;
};

// Length of the text matched at c (skipped bytes included), or -1.
template <Mode M>
Offset MatchAt(const Search& s, Offset c) {
  const unsigned char* text = s.text;
  const Offset length = s.length;
  const auto* pat = reinterpret_cast<const unsigned char*>(s.pattern.data());
  const Offset patLength = static_cast<Offset>(s.pattern.size());
  const TextWideForms& forms = WideForms();
  Offset t = c;
  Offset j = 0;
  bool matched = false;
  while (j < patLength) {
    if (t >= length) return -1;  // the terminating NUL matches nothing
    const unsigned char x = text[t];
    int textStep;
    int patStep;
    bool ok;
    if (IsLead(x)) {
      textStep = patStep = 2;
      if (t + 1 >= length || j + 1 >= patLength) {
        ok = false;
      } else {
        unsigned char y = text[t + 1];
        if (M != Mode::kExact && !s.matchCase && x == 0x82) y = WideUpperTable[y];
        ok = pat[j] == x && pat[j + 1] == y;
      }
    } else if constexpr (M == Mode::kExact) {
      textStep = patStep = 1;
      ok = pat[j] == x;
    } else if constexpr (M == Mode::kCaseFolded) {
      textStep = patStep = 1;
      ok = pat[j] == UpperTable[x];
    } else {
      const WideForm* w = &forms.single[x];
      textStep = 1;
      if (t + 1 < length && CombinesWithMark(x, text[t + 1])) {
        w = text[t + 1] == 0xDE ? &forms.voiced[x] : &forms.semiVoiced[x];
        textStep = 2;
      }
      if (w->length == 2) {
        patStep = 2;
        unsigned char y = w->bytes[1];
        if (!s.matchCase && w->bytes[0] == 0x82) y = WideUpperTable[y];
        ok = j + 1 < patLength && pat[j] == w->bytes[0] && pat[j + 1] == y;
      } else {
        patStep = 1;
        ok = pat[j] == w->bytes[0];
      }
    }
    if (ok) {
      t += textStep;
      j += patStep;
      matched = true;
      continue;
    }
    // Line breaks and spaces are skipped only inside a match, where the pattern did not match.
    if (matched) {
      if (s.skipBreaks && (x == '\r' || x == '\n')) {
        ++t;
        continue;
      }
      if (s.skipSpaces) {
        if (x == '\t' || x == ' ') {
          ++t;
          continue;
        }
        if (x == 0x81 && t + 1 < length && text[t + 1] == 0x40) {
          t += 2;
          continue;
        }
      }
    }
    return -1;
  }
  return t - c;
}

// The bytes that can begin a match, and for a first byte that is a lead byte, the trail bytes
// that can follow it. Every offset where MatchAt succeeds starts with one of them.
struct FirstCharFilter {
  ByteSet first;
  ByteSet trails;  // after the one lead byte in `first`
  int count = 0;
  unsigned char only = 0;  // the byte when count == 1
};

template <Mode M>
FirstCharFilter MakeFilter(const Search& s) {
  FirstCharFilter f;
  const auto* pat = reinterpret_cast<const unsigned char*>(s.pattern.data());
  const std::size_t patLength = s.pattern.size();
  const unsigned char p0 = pat[0];
  if (IsLead(p0)) {
    f.first.Add(p0);
    if (patLength >= 2) {
      const unsigned char p1 = pat[1];
      f.trails.Add(p1);
      if (M != Mode::kExact && !s.matchCase && p0 == 0x82 && p1 >= 0x60 && p1 <= 0x79)
        f.trails.Add(static_cast<unsigned char>(p1 + 0x21));
    }
  }
  const TextWideForms& forms = WideForms();
  for (int b = 0; b < 256; ++b) {
    const auto x = static_cast<unsigned char>(b);
    if (IsLead(x)) continue;
    if constexpr (M == Mode::kExact) {
      if (x == p0) f.first.Add(x);
    } else if constexpr (M == Mode::kCaseFolded) {
      if (UpperTable[x] == p0) f.first.Add(x);
    } else {
      auto fits = [&](const WideForm& w) {
        if (w.length == 1) return w.bytes[0] == p0;
        unsigned char y = w.bytes[1];
        if (!s.matchCase && w.bytes[0] == 0x82) y = WideUpperTable[y];
        return patLength >= 2 && w.bytes[0] == p0 && y == pat[1];
      };
      if (fits(forms.single[x]) || (CombinesWithMark(x, 0xDE) && fits(forms.voiced[x])) ||
          (CombinesWithMark(x, 0xDF) && fits(forms.semiVoiced[x])))
        f.first.Add(x);
    }
  }
  for (int b = 0; b < 256; ++b) {
    if (f.first.Contains(static_cast<unsigned char>(b))) {
      ++f.count;
      f.only = static_cast<unsigned char>(b);
    }
  }
  return f;
}

// The first two bytes a match can begin with: a byte of `first` that is not a lead byte followed
// by anything, or the lead byte followed by one of `trails`. One bit per byte pair, so the scan
// rejects a typical offset with a single lookup even when the first byte alone is common (the
// lead byte 0x82 of every hiragana, for a pattern that starts with a full-width letter).
class PairFilter {
 public:
  explicit PairFilter(const FirstCharFilter& f) {
    for (int x = 0; x < 256; ++x) {
      const auto b = static_cast<unsigned char>(x);
      if (!f.first.Contains(b)) continue;
      if (!IsLead(b)) {
        for (int w = 0; w < 4; ++w)
          bits_[static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(w)] = ~std::uint64_t{0};
        continue;
      }
      for (int y = 0; y < 256; ++y)
        if (f.trails.Contains(static_cast<unsigned char>(y))) Set(static_cast<unsigned>(x << 8 | y));
    }
  }

  bool Test(const unsigned char* at) const {
    const unsigned pair = static_cast<unsigned>(at[0]) << 8 | at[1];
    return ((bits_[pair >> 6] >> (pair & 63)) & 1) != 0;
  }

 private:
  void Set(unsigned pair) { bits_[pair >> 6] |= std::uint64_t{1} << (pair & 63); }

  std::array<std::uint64_t, 1024> bits_{};
};

#if defined(__SSE2__)
// The pair filter for sixteen offsets at once, when the first byte takes at most four values and
// the lead byte at most two trail bytes (every pattern the find dialog produces in practice); for
// patterns of fixed length also the byte the pattern's last byte must meet, when it takes at
// most three values.
struct SimdFilter {
  SimdFilter(const FirstCharFilter& f, const ByteSet* lastByte, std::int64_t lastOffset) {
    int leads = 0;
    for (int x = 0; x < 256; ++x) {
      const auto b = static_cast<unsigned char>(x);
      if (!f.first.Contains(b)) continue;
      if (IsLead(b)) {
        lead = _mm_set1_epi8(static_cast<char>(b));
        ++leads;
      } else if (singleCount < 4) {
        singles[singleCount++] = _mm_set1_epi8(static_cast<char>(b));
      } else {
        return;
      }
    }
    if (leads) {
      for (int y = 0; y < 256; ++y) {
        if (!f.trails.Contains(static_cast<unsigned char>(y))) continue;
        if (trailCount == 2) return;
        trails[trailCount++] = _mm_set1_epi8(static_cast<char>(y));
      }
    }
    if (lastByte) {
      int count = 0;
      for (int y = 0; y < 256; ++y)
        if (lastByte->Contains(static_cast<unsigned char>(y))) ++count;
      if (count <= 3) {
        for (int y = 0; y < 256; ++y)
          if (lastByte->Contains(static_cast<unsigned char>(y)))
            lasts[lastCount++] = _mm_set1_epi8(static_cast<char>(y));
        lastAt = lastOffset;
      }
    }
    usable = true;
  }

  // Bit i set when offset i of the sixteen at `at` may begin a match. Reads at[0..16] and, with
  // a last byte, at[lastAt..lastAt + 15].
  unsigned Candidates(const unsigned char* at) const {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i hits = _mm_setzero_si128();
    for (int i = 0; i < singleCount; ++i) hits = _mm_or_si128(hits, _mm_cmpeq_epi8(v, singles[i]));
    if (trailCount) {
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
      __m128i trailHits = _mm_cmpeq_epi8(next, trails[0]);
      if (trailCount == 2) trailHits = _mm_or_si128(trailHits, _mm_cmpeq_epi8(next, trails[1]));
      hits = _mm_or_si128(hits, _mm_and_si128(_mm_cmpeq_epi8(v, lead), trailHits));
    }
    if (lastCount) {
      const __m128i end = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + lastAt));
      __m128i endHits = _mm_setzero_si128();
      for (int i = 0; i < lastCount; ++i) endHits = _mm_or_si128(endHits, _mm_cmpeq_epi8(end, lasts[i]));
      hits = _mm_and_si128(hits, endHits);
    }
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
  }

  bool usable = false;
  int singleCount = 0;
  int trailCount = 0;
  int lastCount = 0;
  std::int64_t lastAt = 0;
  __m128i singles[4] = {};
  __m128i lead = _mm_setzero_si128();
  __m128i trails[2] = {};
  __m128i lasts[3] = {};
};
#endif

struct Hit {
  Offset at = 0;
  Offset length = 0;
};

template <Mode M>
class Finder {
 public:
  explicit Finder(const Search& s) : s_(s), starts_(s.text), filter_(MakeFilter<M>(s)) {}

  bool Forward(Offset from, Hit& hit) {
    const unsigned char* text = s_.text;
    const Offset length = s_.length;
    if (from < 0) return false;
    if (from < length && !starts_(from)) ++from;
    const Offset last = length - s_.minTextLength;  // the last offset that leaves room for a match
    if (from > last || filter_.count == 0) return false;

    // Offsets with a byte after them, which the two-byte filters can look at.
    const Offset pairLast = std::min(last, length - 2);
    Offset c = from;
    bool vectorised = false;
#if defined(__SSE2__)
    // Patterns matched byte for byte (no skipping, no widening) also fix their last byte.
    const Offset window = static_cast<Offset>(s_.pattern.size());
    const bool fixedLength = M != Mode::kWidthFolded && !s_.skipBreaks && !s_.skipSpaces;
    const ByteSet lastByte = AcceptSet(window - 1);
    const SimdFilter simd(filter_, fixedLength && window >= 2 ? &lastByte : nullptr, window - 1);
    if (simd.usable) {
      vectorised = true;
      // Sixteen offsets at a time. The loads reach byte c + 16 and, with a last byte, c + 15 +
      // window - 1, both inside the text while c + 15 <= pairLast.
      for (; c + 16 <= pairLast + 1; c += 16) {
        for (unsigned mask = simd.Candidates(text + c); mask != 0; mask &= mask - 1) {
          if (TryAt(c + std::countr_zero(mask), /*forward=*/true, hit)) return true;
        }
      }
    }
#endif
    if (!vectorised && filter_.count == 1) {
      for (; c <= last; ++c) {
        const void* q = std::memchr(text + c, filter_.only, static_cast<std::size_t>(last - c + 1));
        if (!q) return false;
        c = static_cast<const unsigned char*>(q) - text;
        if (TryAt(c, /*forward=*/true, hit)) return true;
      }
      return false;
    }
    const PairFilter pairs(filter_);
    for (; c <= pairLast; ++c) {
      // Four at a time while none passes; c stays at most pairLast.
      while (c + 4 <= pairLast &&
             !(pairs.Test(text + c) | pairs.Test(text + c + 1) | pairs.Test(text + c + 2) | pairs.Test(text + c + 3)))
        c += 4;
      if (pairs.Test(text + c) && TryAt(c, /*forward=*/true, hit)) return true;
    }
    for (; c <= last; ++c)
      if (filter_.first.Contains(text[c]) && TryAt(c, /*forward=*/true, hit)) return true;
    return false;
  }

  bool Backward(Offset from, Hit& hit) {
    const unsigned char* text = s_.text;
    if (from < 0) return false;
    if (!starts_(from)) --from;
    if (filter_.count == 0) return false;
    for (Offset c = from; c >= 0; --c) {
      while (c >= 0 && !filter_.first.Contains(text[c])) --c;
      if (c < 0) return false;
      if (TryAt(c, /*forward=*/false, hit)) return true;
    }
    return false;
  }

  // The backward start with soIgnoreWidth: n characters before `start`, a half-width letter with
  // its voicing mark counting as one.
  Offset StepBackCharacters(Offset start, Offset n) {
    const unsigned char* text = s_.text;
    Offset p = start;
    for (Offset k = 0; k < n; ++k) {
      --p;
      if (p < 0) return -1;
      if (p == 0) continue;
      if (!starts_(p)) {
        --p;
      } else if ((text[p] == 0xDE || text[p] == 0xDF) && starts_(p - 1) && CombinesWithMark(text[p - 1], text[p])) {
        --p;
      }
    }
    return p;
  }

 private:
  bool TryAt(Offset c, bool forward, Hit& hit) {
    const unsigned char* text = s_.text;
    const Offset length = s_.length;
    const unsigned char x = text[c];
    if (IsLead(x) && (c + 1 >= length || !filter_.trails.Contains(text[c + 1]))) return false;
    if (s_.wholeWord) {
      // A match starts a word: a word byte at the start or after a delimiter. Going backward the
      // walk ends at offset 0 whatever byte stands there.
      const bool wordStart = c == 0 ? (!forward || !IsDelimiter(x)) : (!IsDelimiter(x) && IsDelimiter(text[c - 1]));
      if (!wordStart) return false;
    }
    if (!starts_(c)) return false;
    const Offset matched = MatchAt<M>(s_, c);
    if (matched < 0) return false;
    if (s_.wholeWord && c + matched < length && !IsDelimiter(text[c + matched])) return false;
    hit = {c, matched};
    return true;
  }

  // The text bytes that pattern byte i accepts when the match is byte for byte. A superset is
  // enough: it only decides where the full comparison runs.
  ByteSet AcceptSet(Offset i) const {
    const auto* pat = reinterpret_cast<const unsigned char*>(s_.pattern.data());
    const unsigned char p = pat[i];
    ByteSet a;
    a.Add(p);
    if (M == Mode::kCaseFolded) {
      if (p >= 'A' && p <= 'Z') a.Add(static_cast<unsigned char>(p + 0x20));
      if (i > 0 && pat[i - 1] == 0x82 && p >= 0x60 && p <= 0x79) a.Add(static_cast<unsigned char>(p + 0x21));
    }
    return a;
  }

  const Search& s_;
  CharStarts starts_;
  FirstCharFilter filter_;
};

template <Mode M>
bool Run(const Search& s, const TSearchPosition& position, bool forward, Hit& hit) {
  Finder<M> finder(s);
  if (forward) return finder.Forward(static_cast<Offset>(position.Start) + position.Length, hit);
  Offset from;
  if (M == Mode::kWidthFolded)
    from = finder.StepBackCharacters(position.Start, s.minTextLength);
  else
    from = static_cast<Offset>(position.Start) - static_cast<Offset>(s.pattern.size());
  return finder.Backward(from, hit);
}

}  // namespace

bool FindInBuffer(std::string_view buffer, TSearchPosition& position, std::string_view pattern,
                  TSearchOptions options) {
  // The text is all of the buffer, a NUL inside it included: it is an ordinary control byte that
  // no pattern character matches, so a stray NUL never hides the rest of a text from searching
  // (and no call has to scan a long buffer for one). The pattern ends at its first NUL.
  pattern = UpToNul(pattern);
  if (buffer.empty() || pattern.empty()) return false;
  // Offsets are 32-bit; text beyond that cannot be addressed.
  if (buffer.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    buffer = buffer.substr(0, static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
  const auto length = static_cast<Offset>(buffer.size());
  if (position.Start < 0 || position.Start > length) return false;

  Search s;
  s.text = reinterpret_cast<const unsigned char*>(buffer.data());
  s.length = length;
  s.matchCase = (options & soMatchCase) != 0;
  s.wholeWord = (options & soWholeWord) != 0;
  s.skipBreaks = (options & soIgnoreLineBreaks) != 0;
  s.skipSpaces = (options & soIgnoreSpaces) != 0;
  s.pattern = s.matchCase ? std::string(pattern) : AnsiUpper(pattern);
  const bool ignoreWidth = (options & soIgnoreWidth) != 0;
  if (ignoreWidth) {
    s.pattern = Widen(s.pattern);
    Offset chars = 0;
    for (std::size_t i = 0; i < s.pattern.size(); i += IsLead(static_cast<unsigned char>(s.pattern[i])) ? 2 : 1)
      ++chars;
    s.minTextLength = chars;
  } else {
    s.minTextLength = static_cast<Offset>(s.pattern.size());
  }

  const bool forward = (options & soForward) != 0;
  Hit hit;
  bool found;
  if (ignoreWidth)
    found = Run<Mode::kWidthFolded>(s, position, forward, hit);
  else if (s.matchCase)
    found = Run<Mode::kExact>(s, position, forward, hit);
  else
    found = Run<Mode::kCaseFolded>(s, position, forward, hit);
  if (!found) return false;
  position.Start = static_cast<std::int32_t>(hit.at);
  position.Length = static_cast<std::int32_t>(hit.length);
  return true;
}

}  // namespace search
