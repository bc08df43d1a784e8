#include "platform/db/accesssql.h"

#include <QRegularExpression>
#include <exception>
#include <optional>
#include <vector>

#include "platform/convert/datetext.h"
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
  std::vector<bool> parens;  // true for the "(" of a Sum(, which closes as "))"
  const int n = sql.size();
  int i = 0;
  while (i < n) {
    const QChar c = sql[i];
    if (c == u'\'') {
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
      out += QStringLiteral("||");
      ++i;
    } else if (c == u'(') {
      parens.push_back(false);
      out += c;
      ++i;
    } else if (c == u')') {
      if (!parens.empty() && parens.back()) {
        out += QStringLiteral("))");
      } else {
        out += c;
      }
      if (!parens.empty()) parens.pop_back();
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
        // Amounts are stored as formatted texts: sum what AMT() reads.
        out += QStringLiteral("SUM(AMT(");
        parens.push_back(true);
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
      out += number.match(token).hasMatch() ? token : quoteIdentifier(token);
      i = j;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
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

}  // namespace db
