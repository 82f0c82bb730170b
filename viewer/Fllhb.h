#pragma once
// The viewer window of one chapter: picture on the left, two text panes on the right, the list of
// the chapter's entries on top.

#include <QWidget>

class Fllhb : public QWidget
{
    Q_OBJECT

public:
    explicit Fllhb(QWidget *parent = nullptr);
};
