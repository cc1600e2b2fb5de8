#pragma once
// The communication ID and password fields that the communication settings and the web-meeting
// settings both show: the ID in three groups of four, the password of six characters at most,
// both without the input method, each with its label, its rule and an example.

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace communication {

struct TConIdFields {
    QLineEdit* id = nullptr;
    QLineEdit* password = nullptr;
    QLabel* idLabel = nullptr;
    QLabel* idRule = nullptr;
    QLabel* idExample = nullptr;
    QLabel* passwordLabel = nullptr;
    QLabel* passwordRule = nullptr;
    QLabel* passwordExample = nullptr;
};

// Makes the fields on parent and puts them on four rows of the grid from firstRow: label in
// column 0, field in 1, rule in 2, the example under the field.
TConIdFields AddConIdFields(QWidget* parent, QGridLayout& grid, int firstRow);

} // namespace communication
