#pragma once
// The preview: a print-data file shown page by page over its form inside a drawing of the paper,
// with zoom, paging, page jump, printing, printer set-up and margins.

#include "print/PgwDef.h"

#include <QDialog>
#include <QPoint>

#include <functional>

class QLabel;
class QScrollArea;
class QToolButton;

namespace print {

// The close code: 0 closed with the close button, 1 the window's close box (single document)
// or "次の帳票", −1 "前の帳票"; 0 when the preview could not start.
int PreviewFile(TPGWDEF& def);

class TImageDispForm;

// The widget the pages are drawn on (the printable area).
class TImagePaintBox : public QWidget {
public:
    explicit TImagePaintBox(TImageDispForm& form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TImageDispForm& form_;
};

class TImageDispForm : public QDialog {
    Q_OBJECT
public:
    explicit TImageDispForm(QWidget* parent = nullptr);
    ~TImageDispForm() override;

    QToolButton* CloseButton = nullptr;
    QToolButton* PrintButton = nullptr;
    QToolButton* PrintSetupButton = nullptr;
    QToolButton* SB_MARGIN = nullptr;
    QToolButton* ZoomJustButton = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* ZoomInButton = nullptr;
    QToolButton* ZoomOutButton = nullptr;
    QToolButton* PgJump = nullptr;
    QToolButton* TopPage = nullptr;
    QToolButton* PrevPage = nullptr;
    QToolButton* NextPage = nullptr;
    QToolButton* LastPage = nullptr;
    QToolButton* CurrentPage = nullptr;
    QToolButton* PrevPaper = nullptr;
    QToolButton* NextPaper = nullptr;
    QToolButton* ImageOut = nullptr;
    QToolButton* ImageOpen = nullptr;
    QToolButton* ImageOpenCancel = nullptr;
    QLabel* DispZoom = nullptr;
    QLabel* WherePage = nullptr;
    QScrollArea* ImagePaintScrollBox = nullptr;
    QWidget* PaperPanel = nullptr;
    TImagePaintBox* ImagePaintBox = nullptr;

    int CloseCode = 0;
    int Zoom = 10;
    double FactorX = 1;
    double FactorY = 1;
    QList<int> Orientations;

    // Handlers.
    void SetUp();
    void Layout();
    void ApplyPageOrientation();
    void FirstPage();
    void PriorPage();
    void FollowingPage();
    void FinalPage();
    void JumpPage();
    void ZoomIn();
    void ZoomOut();
    void Zoom100();
    void ZoomFit();
    void PrintAll();
    void PrintShownPage();
    void PrinterSetup();
    void Margins();
    void SaveJob(const QString& folder, const QString& base);
    void OpenJob(const QString& path);
    void CancelOpenJob();
    // The hidden save and open buttons: ask for the job file, then save or open it.
    void ImageOutClick();
    void ImageOpenClick();

    // Paints the shown page on any device with the window's factors.
    void PaintPage(QPainter& painter);

    // Called once the window is shown (tests drive it from here).
    static inline std::function<void(TImageDispForm&)> OnShown;
    // The printer set-up dialog and the margin dialog, replaceable by tests.
    static inline std::function<bool()> RunPrinterSetup;
    static inline std::function<bool(int& top, int& left, int& vratio, int& hratio, bool ratios)> RunMarginDialog;
    // The file dialogs of saved print jobs: the chosen path, empty when cancelled. Unset, the
    // platform's dialogs ask (start folder and proposed path given).
    static inline std::function<QString(const QString& folder, const QString& proposed)> AskSaveJobPath;
    static inline std::function<QString(const QString& folder)> AskOpenJobPath;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class TImagePaintBox;
    void updateWherePage();
    void redisplay();
    bool fits(int zoom) const;
    QSizeF paperMm() const;

    bool setUpDone_ = false;
    bool painting_ = false;
    bool closingByButton_ = false;
    QPoint dragStart_;
    bool dragging_ = false;
    TPGWDEF remembered_;
    QString formFile_;
    QString dataFile_;
};

} // namespace print
