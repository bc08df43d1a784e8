#include "platform/db/accesssql.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "platform/convert/datetext.h"
#include "platform/convert/error.h"
#include "platform/convert/number.h"
#include "platform/db/database.h"

namespace db {

namespace {

bool isWordStart(QChar c) {
  return c.isLetter() || c == u'_';
}
bool isWordChar(QChar c) {
  return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

QString singleQuoted(const QString& body) {
  QString s = body;
  s.replace(u'\'', QStringLiteral("''"));
  return u'\'' + s + u'\'';
}

// ---- "a & b": Access's text concatenation
//
// In Access, & joins texts with Null counting as empty ("Mara" & Null is
// "Mara"; only Null & Null is Null), and binds less tightly than arithmetic
// and more tightly than comparisons. SQLite's || gives Null for any Null, so
// each chain a & b & c becomes ACCESS_CONCAT(a, b, c), the database's
// registered function. An operand runs from the chain's & to the nearest
// comparison, logical word, clause word, comma or enclosing parenthesis.

struct Token {
  enum Kind { Space, Text, Open, Close, Amp, Boundary };
  Kind kind;
  QString text;
};

bool isBoundaryWord(const QString& word) {
  static const QStringList words = {
      QStringLiteral("AND"),    QStringLiteral("OR"),      QStringLiteral("NOT"),
      QStringLiteral("LIKE"),   QStringLiteral("BETWEEN"), QStringLiteral("IS"),
      QStringLiteral("IN"),     QStringLiteral("SELECT"),  QStringLiteral("FROM"),
      QStringLiteral("WHERE"),  QStringLiteral("AS"),      QStringLiteral("ORDER"),
      QStringLiteral("GROUP"),  QStringLiteral("BY"),      QStringLiteral("HAVING"),
      QStringLiteral("ON"),     QStringLiteral("ASC"),     QStringLiteral("DESC"),
      QStringLiteral("CASE"),   QStringLiteral("WHEN"),    QStringLiteral("THEN"),
      QStringLiteral("ELSE"),   QStringLiteral("END"),     QStringLiteral("SET"),
      QStringLiteral("VALUES"), QStringLiteral("INTO"),    QStringLiteral("JOIN"),
      QStringLiteral("UNION"),  QStringLiteral("LIMIT"),   QStringLiteral("DISTINCT"),
      QStringLiteral("ESCAPE")};
  return words.contains(word, Qt::CaseInsensitive);
}

// Splits SQLite text (as translateAccessSql writes it) into tokens.
std::vector<Token> tokenize(const QString& sql) {
  std::vector<Token> tokens;
  const int n = sql.size();
  int i = 0;
  auto quotedEnd = [&](int from, QChar quote) {
    int j = from + 1;
    while (j < n) {
      if (sql[j] == quote) {
        if (j + 1 < n && sql[j + 1] == quote) {
          j += 2;
          continue;
        }
        return j + 1;
      }
      ++j;
    }
    return n;
  };
  while (i < n) {
    const QChar c = sql[i];
    int j = i + 1;
    Token::Kind kind = Token::Text;
    if (c.isSpace()) {
      while (j < n && sql[j].isSpace()) ++j;
      kind = Token::Space;
    } else if (c == u'-' && j < n && sql[j] == u'-') {
      j = sql.indexOf(u'\n', i);
      j = j < 0 ? n : j;
      kind = Token::Space;
    } else if (c == u'/' && j < n && sql[j] == u'*') {
      j = sql.indexOf(QLatin1String("*/"), i + 2);
      j = j < 0 ? n : j + 2;
      kind = Token::Space;
    } else if (c == u'\'' || c == u'"') {
      j = quotedEnd(i, c);
    } else if (isWordChar(c)) {
      while (j < n && (isWordChar(sql[j]) || sql[j] == u'.')) ++j;
      if (isBoundaryWord(sql.mid(i, j - i))) kind = Token::Boundary;
    } else if (c == u'(') {
      kind = Token::Open;
    } else if (c == u')') {
      kind = Token::Close;
    } else if (c == u'&') {
      kind = Token::Amp;
    } else if (c == u',' || c == u';' || c == u'=' || c == u'<' || c == u'>' || c == u'!') {
      while (j < n && (sql[j] == u'=' || sql[j] == u'<' || sql[j] == u'>')) ++j;
      kind = Token::Boundary;
    }
    tokens.push_back({kind, sql.mid(i, j - i)});
    i = j;
  }
  return tokens;
}

QString trimmedJoin(const std::vector<QString>& parts) {
  QString s;
  for (const QString& p : parts) s += p;
  return s.trimmed();
}

// Renders tokens[i..] up to the Close that ends the current group (or the
// end), rewriting each & chain at this level; advances i past that Close.
QString renderGroup(const std::vector<Token>& tokens, size_t& i) {
  QString out;
  std::vector<QString> pieces;  // rendered pieces of the current segment
  QStringList operands;
  bool chain = false;
  auto flushSegment = [&] {
    if (chain) {
      // Blanks after the chain's last operand stay outside the call.
      QString trail;
      while (!pieces.empty() && pieces.back().trimmed().isEmpty()) {
        trail.prepend(pieces.back());
        pieces.pop_back();
      }
      operands << trimmedJoin(pieces);
      out += QStringLiteral("ACCESS_CONCAT(") + operands.join(QStringLiteral(", ")) + u')' + trail;
    } else {
      for (const QString& p : pieces) out += p;
    }
    pieces.clear();
    operands.clear();
    chain = false;
  };
  while (i < tokens.size()) {
    const Token& t = tokens[i];
    if (t.kind == Token::Close) {
      flushSegment();
      ++i;
      return out + t.text;
    }
    ++i;
    if (t.kind == Token::Open) {
      pieces.push_back(t.text + renderGroup(tokens, i));
    } else if (t.kind == Token::Amp) {
      if (!chain) {
        // Blanks before the chain's first operand stay outside the call.
        size_t lead = 0;
        while (lead < pieces.size() && pieces[lead].trimmed().isEmpty()) out += pieces[lead++];
        pieces.erase(pieces.begin(), pieces.begin() + long(lead));
      }
      chain = true;
      operands << trimmedJoin(pieces);
      pieces.clear();
    } else if (t.kind == Token::Boundary) {
      flushSegment();
      out += t.text;
    } else {
      pieces.push_back(t.text);
    }
  }
  flushSegment();
  return out;
}

QString rewriteConcatenation(const QString& sql) {
  if (!sql.contains(u'&')) return sql;
  const std::vector<Token> tokens = tokenize(sql);
  if (std::none_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == Token::Amp; }))
    return sql;
  size_t i = 0;
  QString out;
  while (i < tokens.size()) out += renderGroup(tokens, i);  // an unmatched ")" ends a group early
  return out;
}

}  // namespace

QString quoteIdentifier(const QString& name) {
  QString s = name;
  s.replace(u'"', QStringLiteral("\"\""));
  return u'"' + s + u'"';
}

bool isoFromAccessDate(const QString& text, QString* iso) {
  // A date, a time of day, or a date followed by a time; the runtime's date
  // texts read each part.
  const QString t = text.trimmed();
  std::optional<QString> out = rt::DateTextToIso(t);
  if (!out) out = rt::TimeTextToIso(t);
  if (!out) {
    const int space = t.indexOf(u' ');
    if (space > 0) {
      const std::optional<QString> date = rt::DateTextToIso(t.left(space));
      const std::optional<QString> time = rt::TimeTextToIso(t.mid(space + 1).trimmed());
      if (date && time) out = *date + u' ' + *time;
    }
  }
  if (!out) return false;
  if (iso) *iso = *out;
  return true;
}

QString translateAccessSql(const QString& sql) {
  QString out;
  out.reserve(sql.size() + 16);
  const int n = sql.size();
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
      // A comment to the end of the line is copied as it is: an apostrophe
      // in it opens no literal.
      int j = sql.indexOf(u'\n', i);
      if (j < 0) j = n;
      out += sql.mid(i, j - i);
      i = j;
    } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
      int j = sql.indexOf(QLatin1String("*/"), i + 2);
      j = j < 0 ? n : j + 2;
      out += sql.mid(i, j - i);
      i = j;
    } else if (c == u'\'') {
      // A single-quoted literal stays as it is ('' is a quote inside it).
      int j = i + 1;
      while (j < n) {
        if (sql[j] == u'\'') {
          if (j + 1 < n && sql[j + 1] == u'\'') {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      if (j >= n) throw Error(QStringLiteral("Unterminated text literal in query: %1").arg(sql));
      out += sql.mid(i, j - i + 1);
      i = j + 1;
    } else if (c == u'"') {
      // An Access text literal in double quotes ("" is a quote inside it).
      QString body;
      int j = i + 1;
      while (j < n) {
        if (sql[j] == u'"') {
          if (j + 1 < n && sql[j + 1] == u'"') {
            body += u'"';
            j += 2;
            continue;
          }
          break;
        }
        body += sql[j];
        ++j;
      }
      if (j >= n) throw Error(QStringLiteral("Unterminated text literal in query: %1").arg(sql));
      out += singleQuoted(body);
      i = j + 1;
    } else if (c == u'[') {
      const int j = sql.indexOf(u']', i + 1);
      if (j < 0) throw Error(QStringLiteral("Unterminated [name] in query: %1").arg(sql));
      out += quoteIdentifier(sql.mid(i + 1, j - i - 1));
      i = j + 1;
    } else if (c == u'#') {
      const int j = sql.indexOf(u'#', i + 1);
      QString iso;
      if (j < 0 || !isoFromAccessDate(sql.mid(i + 1, j - i - 1), &iso)) {
        throw Error(
            QStringLiteral("Invalid date or time in query: %1").arg(sql.mid(i, j < 0 ? -1 : j - i + 1)));
      }
      out += singleQuoted(iso);
      i = j + 1;
    } else if (c == u'&') {
      out += c;  // rewritten below, once the operands can be told
      ++i;
    } else if (isWordStart(c)) {
      int j = i + 1;
      while (j < n && isWordChar(sql[j])) ++j;
      const QString word = sql.mid(i, j - i);
      const bool qualified = i > 0 && sql[i - 1] == u'.';
      int k = j;
      while (k < n && sql[k].isSpace()) ++k;
      if (!qualified && word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        out += QStringLiteral("1");
      } else if (!qualified && word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        out += QStringLiteral("0");
      } else if (!qualified && k < n && sql[k] == u'(' &&
                 word.compare(QLatin1String("Sum"), Qt::CaseInsensitive) == 0) {
        // Amounts are stored as formatted texts: add up what they read as,
        // in fixed point.
        out += QStringLiteral("AMTSUM(");
        j = k + 1;
      } else {
        out += word;
      }
      i = j;
    } else if (c.isDigit()) {
      // A number is copied whole ("1e5" is not split into words). A word that
      // begins with a digit but is no number is a column name ("7_Price"):
      // it is quoted, as SQLite would not read it.
      static const QRegularExpression number(QStringLiteral(R"(^\d+\.?\d*([eE]\d*)?$)"));
      int j = i + 1;
      while (j < n && (isWordChar(sql[j]) || sql[j] == u'.')) ++j;
      const QString token = sql.mid(i, j - i);
      // After "table." it is a column name whatever it looks like (tbl.900).
      const bool qualified = i >= 2 && sql[i - 1] == u'.' &&
                             (isWordChar(sql[i - 2]) || sql[i - 2] == u']' || sql[i - 2] == u'"');
      out += !qualified && number.match(token).hasMatch() ? token : quoteIdentifier(token);
      i = j;
    } else {
      out += c;
      ++i;
    }
  }
  return rewriteConcatenation(out);
}

double amountValue(const QString& text) {
  // A well-formed amount reads as the windows' conversions read it ("$5.00",
  // "1,234.50", "($5.00)"); anything else by its leading number, as Val reads
  // it once the thousands separators and the dollar sign are dropped.
  try {
    if (const std::optional<double> v = rt::TryCDbl(text)) return *v;
    QString s = text;
    s.remove(u',');
    s.remove(u'$');
    return rt::Val(s);
  } catch (const std::exception&) {
    return 0.0;  // beyond the range of a double
  }
}

namespace {

constexpr std::int64_t kRawPerUnit = 10000;

bool isBlankByte(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

bool quickAmount(const char* text, int size, std::int64_t* raw) {
  // The shapes the windows store: blanks around, a sign before or after a
  // "$", digits with thousands separators after the first digit, a point and
  // at most four decimals. Fourteen integer digits at most, so that nothing
  // can overflow; any other text is left to the full reading.
  const char* p = text;
  const char* end = text + size;
  while (p < end && isBlankByte(*p)) ++p;
  while (end > p && isBlankByte(end[-1])) --end;
  bool negative = false;
  bool signSeen = false;
  auto sign = [&] {
    if (!signSeen && p < end && (*p == '-' || *p == '+')) {
      negative = *p == '-';
      signSeen = true;
      ++p;
    }
  };
  sign();
  if (p < end && *p == '$') ++p;
  sign();
  std::int64_t units = 0;
  int digits = 0;
  for (; p < end; ++p) {
    if (*p >= '0' && *p <= '9') {
      if (++digits > 14) return false;
      units = units * 10 + (*p - '0');
    } else if (*p != ',' || digits == 0) {
      break;
    }
  }
  std::int64_t fraction = 0;
  int decimals = 0;
  if (p < end && *p == '.') {
    for (++p; p < end && *p >= '0' && *p <= '9'; ++p) {
      if (++decimals > 4) return false;
      fraction = fraction * 10 + (*p - '0');
    }
  }
  if (p != end || digits + decimals == 0) return false;
  for (int d = decimals; d < 4; ++d) fraction *= 10;
  const std::int64_t value = units * kRawPerUnit + fraction;
  *raw = negative ? -value : value;
  return true;
}

rt::Currency amountCurrency(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  std::int64_t raw = 0;
  if (quickAmount(utf8.constData(), int(utf8.size()), &raw)) return rt::Currency::fromRaw(raw);
  // A well-formed amount is read as the decimal it shows; anything else as
  // amountValue reads it, rounded to four places.
  if (const std::optional<rt::Currency> exact = rt::TryCCur(text)) return *exact;
  return rt::CCur(amountValue(text));
}

}  // namespace db
