#pragma once

#include <QString>

class QComboBox;
class QPushButton;

namespace velqora {

class FieldEdit;

// What a user does with the window, through the same events as the keyboard and the
// mouse, so that typing limits hold and selection handlers run as they would for a
// person. Used by the replay tool and the window tests.

// Empties the field (select all, Delete) and types the text one character at a time.
void typeAsUser(FieldEdit& field, const QString& text);

// Picks a position of a drop-down list, as from its open list: the list's handler runs
// when the selection changes.
void pickAsUser(QComboBox& list, int position);

// Clicks the button.
void pressAsUser(QPushButton& button);

}  // namespace velqora
