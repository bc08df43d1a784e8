#include "platform/convert/text.h"

#include <optional>
#include <utility>
#include <vector>

namespace rt {

int StrComp(const QString& a, const QString& b) {
  const int c = QString::compare(a, b, Qt::CaseSensitive);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {

// One pattern element that matches exactly one character, or a star.
struct Token {
  enum Kind { Star, AnyChar, Digit, Literal, Set } kind = Literal;
  char32_t ch = 0;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;

  bool matches(char32_t c) const {
    switch (kind) {
      case AnyChar:
        return true;
      case Digit:
        return c >= U'0' && c <= U'9';
      case Literal:
        return c == ch;
      case Set: {
        bool inList = false;
        for (const auto& r : ranges) {
          if (c >= r.first && c <= r.second) {
            inList = true;
            break;
          }
        }
        return inList != negated;
      }
      case Star:
        break;
    }
    return false;
  }
};

// Turns the pattern into tokens; nullopt when it is malformed.
std::optional<std::vector<Token>> Tokenize(const std::u32string& p) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < p.size(); ++i) {
    Token t;
    const char32_t c = p[i];
    if (c == U'*') {
      t.kind = Token::Star;
    } else if (c == U'?') {
      t.kind = Token::AnyChar;
    } else if (c == U'#') {
      t.kind = Token::Digit;
    } else if (c == U'[') {
      std::size_t j = i + 1;
      if (j < p.size() && p[j] == U']') {
        // "[]" stands for the zero-length text: it matches no character.
        i = j;
        continue;
      }
      t.kind = Token::Set;
      if (j < p.size() && p[j] == U'!') {
        t.negated = true;
        ++j;
      }
      while (j < p.size() && p[j] != U']') {
        const char32_t lo = p[j];
        // A '-' between two characters makes a range; first or last it is itself.
        if (j + 2 < p.size() && p[j + 1] == U'-' && p[j + 2] != U']') {
          const char32_t hi = p[j + 2];
          if (hi < lo) return std::nullopt;
          t.ranges.emplace_back(lo, hi);
          j += 3;
        } else {
          t.ranges.emplace_back(lo, lo);
          ++j;
        }
      }
      if (j >= p.size()) return std::nullopt;  // no closing ']'
      i = j;
    } else {
      t.kind = Token::Literal;
      t.ch = c;
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

}  // namespace

bool Like(const QString& text, const QString& pattern, Qt::CaseSensitivity cs) {
  // Without regard to case both sides are case-folded first, so a list or a
  // range compares folded characters too.
  const bool fold = cs == Qt::CaseInsensitive;
  const std::u32string p = (fold ? pattern.toCaseFolded() : pattern).toStdU32String();
  const std::u32string s = (fold ? text.toCaseFolded() : text).toStdU32String();
  const std::optional<std::vector<Token>> tokens = Tokenize(p);
  if (!tokens) return false;
  const std::vector<Token>& t = *tokens;

  // Greedy match with backtracking to the last star: each token other than
  // a star takes exactly one character, so this is linear per star retry.
  std::size_t si = 0;
  std::size_t ti = 0;
  std::size_t starToken = std::string::npos;
  std::size_t starText = 0;
  while (si < s.size()) {
    if (ti < t.size() && t[ti].kind == Token::Star) {
      starToken = ti++;
      starText = si;
    } else if (ti < t.size() && t[ti].matches(s[si])) {
      ++ti;
      ++si;
    } else if (starToken != std::string::npos) {
      ti = starToken + 1;
      si = ++starText;
    } else {
      return false;
    }
  }
  while (ti < t.size() && t[ti].kind == Token::Star) ++ti;
  return ti == t.size();
}

}  // namespace rt
