#include "ui/FileChooser.h"

#include "ui/ModalSeam.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <utility>

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

} // namespace

FileChooser::FileChooser(Mode mode, QString title, QString filterName, QString pattern, QString initialName,
                         QString defaultSuffix)
    : m_mode(mode), m_title(std::move(title)), m_filterName(std::move(filterName)), m_pattern(std::move(pattern)),
      m_initialName(std::move(initialName)), m_defaultSuffix(std::move(defaultSuffix)) {}

QString FileChooser::nameFilter() const {
    return m_filterName + QStringLiteral(" (") + m_pattern + ')';
}

QString FileChooser::offeredName() const {
    return m_lastPath.isEmpty() ? m_initialName : m_lastPath;
}

bool FileChooser::execute(QWidget* parent, QString& path) {
    QString chosen;
    if (auto answer = ModalSeam::takeFileName(m_title, offeredName())) {
        chosen = *answer;
    } else {
        ChooserDialog dialog(parent, m_title);
        dialog.setObjectName(m_mode == Mode::Open ? QStringLiteral("OpenDialog") : QStringLiteral("SaveDialog"));
        dialog.setAcceptMode(m_mode == Mode::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        dialog.setFileMode(m_mode == Mode::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setNameFilter(nameFilter());
        dialog.setDefaultSuffix(m_defaultSuffix);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setOption(QFileDialog::HideNameFilterDetails, true); // the description alone, as on Windows
        if (!m_lastPath.isEmpty()) {
            dialog.setDirectory(QFileInfo(m_lastPath).absolutePath());
        }
        dialog.selectFile(offeredName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty()) {
        return false;
    }
    m_lastPath = QFileInfo(chosen).absoluteFilePath();
    path = m_lastPath;
    return true;
}

} // namespace lirbo::ui
