// The input box: a prompt, a title and one line of text to type.
#pragma once

#include <QString>

namespace forms {

// Asks for a text through the message service (tests script the answer with
// ScriptedMessages::answerInput). OK gives the text typed, Cancel an empty
// text. An empty title shows the application title.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString());

}  // namespace forms
