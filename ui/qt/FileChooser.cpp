#include "ui/qt/FileChooser.h"

#include "ui/qt/Cp1251.h"
#include "ui/qt/ModalSeam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace lirbo::ui {

namespace {

// The toolkit's save chooser takes a name in a folder that does not exist; this one refuses it
// with a box and stays open, as the load chooser does for a missing file.
class ChooserDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && !files.isEmpty()) {
            const QFileInfo chosen(files.constFirst());
            if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
                // The toolkit's own words for a missing folder, in its translation.
                const QString text = QCoreApplication::translate(
                    "QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.");
                QMessageBox::warning(this, windowTitle(), text.arg(QDir::toNativeSeparators(chosen.absolutePath())));
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString nameFilter(const app::FileChooser& chooser) {
    return fromCp1251(chooser.filterName) + QStringLiteral(" (") + fromCp1251(chooser.pattern) + ')';
}

} // namespace

bool FileChooser::execute(QWidget* parent, const app::FileChooser& chooser, std::string& path) {
    const bool open = chooser.mode == app::FileChooser::Mode::Open;
    const QString title = fromCp1251(chooser.title);
    const QString offered = QFile::decodeName(chooser.offeredName().c_str());
    QString chosen;
    if (auto answer = ModalSeam::takeFileName(title, offered)) {
        chosen = *answer;
    } else {
        ChooserDialog dialog(parent, title);
        dialog.setObjectName(QString::fromLatin1(chooser.name.c_str()));
        dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setNameFilter(nameFilter(chooser));
        dialog.setDefaultSuffix(fromCp1251(chooser.defaultExtension));
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setOption(QFileDialog::HideNameFilterDetails, true); // the description alone, as on Windows
        if (!chooser.lastPath.empty()) {
            dialog.setDirectory(QFileInfo(offered).absolutePath());
        }
        dialog.selectFile(offered);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty()) {
        return false;
    }
    // File names go to the file system in its own encoding, not as Windows-1251.
    path = QFile::encodeName(QFileInfo(chosen).absoluteFilePath()).toStdString();
    return true;
}

} // namespace lirbo::ui
