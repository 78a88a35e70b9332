#pragma once

// TFormEigeneAntenne: the modal dialog "Eigene Antenne konstruieren". The user describes an
// antenna line by line; saving files it into the user catalogue under its category. Nothing
// else changes: the main window lists it after "Antennen neu laden".

#include "data/OwnAntenna.h"

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;
namespace ui {
class TEdit;
}

struct EigeneAntenneInput {
    QString userCatalogue; // path of AntUser.txt
    QString callsign;      // of the main window; presets EditKategorie, as its label recommends
};

// The category's preset without a callsign: an example one.
inline constexpr const char *kExampleCategory = "DL0XYZ";

class TFormEigeneAntenne : public QDialog {
    Q_OBJECT
public:
    explicit TFormEigeneAntenne(const EigeneAntenneInput &input, QWidget *parent = nullptr);

    // The lines added so far, as they will be filed (decimal comma turned into a point).
    const std::vector<OwnAntennaLine> &lines() const { return lines_; }

private:
    void FormCreate();
    void ButAddFrequenzClick();
    void ButSaveAntClick();
    void ButCancelClick();
    OwnAntenna antenna() const;

    EigeneAntenneInput input_;
    std::vector<OwnAntennaLine> lines_;
    ui::TEdit *EditName = nullptr, *EditAntTyp = nullptr, *EditKategorie = nullptr, *EditFrequenz = nullptr,
              *EditGewinn = nullptr, *EditElemente = nullptr;
    QPlainTextEdit *Memo = nullptr;
    QPushButton *ButAddFrequenz = nullptr, *ButSaveAnt = nullptr, *ButCancel = nullptr;
};
