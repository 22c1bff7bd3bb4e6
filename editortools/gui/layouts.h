// The three pages of the main window's tabs, each holding its named controls with their
// captions and tips. The window binds them.
#pragma once

#include <QDialog>
#include <QWidget>

class EditFieldEx;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The Tools tab.
class WithModifyLayout : public QWidget {
public:
    explicit WithModifyLayout(QWidget* parent = nullptr);
    QPushButton* install;
    QLabel* inlabel;
    QComboBox* installlist;
    QComboBox* subinstalldir;
    QTableView* array;  // several rows can be selected
    QLineEdit* name;
    QLineEdit* surname;  // command line
    QLineEdit* address;  // current directory
    QLineEdit* logparser;
    QLabel* logparserlabel;
    QPushButton* add;
    QPushButton* change;
    QPushButton* Delete;
    QPushButton* moveup;
    QPushButton* movedown;
};

// The IDEs/Text Editors tab.
class WithSearchLayout : public QWidget {
public:
    explicit WithSearchLayout(QWidget* parent = nullptr);
    QTableView* array;
    QPushButton* setpath;
    QPushButton* copypath;
    QPushButton* autodetect;
    QPushButton* deleteide;
    QPushButton* duplicate;
    QPushButton* backup;
};

// The Backups tab.
class WithBackupsLayout : public QWidget {
public:
    explicit WithBackupsLayout(QWidget* parent = nullptr);
    QLabel* backuplabel;
    EditFieldEx* backupdirectory;
    QPushButton* browse;
    QTableView* array;
    QPushButton* Restore;
    QPushButton* copypath;
    QCheckBox* confirmdelete;
    QPushButton* Delete;
};

// The About dialog: one rich-text label.
class WithAboutLayout : public QDialog {
public:
    explicit WithAboutLayout(QWidget* parent = nullptr);
    QLabel* abouttext;
};
