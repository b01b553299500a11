#pragma once
#include <QWidget>

// The splash window shown while the program starts.
class TacilisF : public QWidget {
    Q_OBJECT
public:
    explicit TacilisF(QWidget *parent = nullptr);
};
