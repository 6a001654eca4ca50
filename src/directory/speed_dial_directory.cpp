#include "directory/speed_dial_directory.h"

#include "directory/configuration.h"
#include "link/cola_salida.h"
#include "link/frm_especiales.h"
#include "platform/directory_view.h"

#include <algorithm>

SpeedDialDirectory::SpeedDialDirectory(
    DirectoryView& view, Configuration& configuration, const BloqueMemorias& memorias, ColaSalida& colaSalida)
    : view_(view)
    , configuration_(configuration)
    , memorias_(memorias)
    , colaSalida_(colaSalida)
{
}

void SpeedDialDirectory::open()
{
    visible_ = true;
    view_.visibilityChanged();
    scrollTo(0);
    inicioPagina_ = 0;
    Muestra_Pagina();
}

void SpeedDialDirectory::openFocused()
{
    open();
    view_.focusFirstText();
}

void SpeedDialDirectory::close()
{
    Muestra_Pagina();
    visible_ = false;
    view_.visibilityChanged();
}

void SpeedDialDirectory::scrollTo(int position)
{
    if (position == scrollPosition_)
        return;
    scrollPosition_ = position;
    view_.scrollPositionChanged();
    pageChange();
}

void SpeedDialDirectory::pageChange()
{
    if (scrollPosition_ == inicioPagina_)
        return;
    Muestra_Pagina();
    inicioPagina_ = scrollPosition_;
    view_.focusFirstText();
}

// Stores the notes on screen into the page they were filled from, then fills
// the rows for the current position.
void SpeedDialDirectory::Muestra_Pagina()
{
    for (int r = 0; r < Rows; ++r)
        configuration_.troncalMemoria[inicioPagina_ + r] = rows_[r].text;
    for (int r = 0; r < Rows; ++r) {
        const int entry = r + scrollPosition_;
        rows_[r].number = QStringLiteral(" %1").arg(entry + 1);
        rows_[r].digits = Saca_Numero_Memoria(entry);
        setRowText(r, configuration_.troncalMemoria[entry]);
        view_.rowChanged(r);
    }
}

void SpeedDialDirectory::textEdited(int row, const QString& text)
{
    setRowText(row, text);
}

void SpeedDialDirectory::setRowText(int row, const QString& text)
{
    if (rows_[row].text == text)
        return;
    rows_[row].text = text;
    configuration_.hayCambios = true;
}

void SpeedDialDirectory::dial(int row)
{
    if (rows_[row].digits.isEmpty())
        return;
    if (!colaSalida_.queue(protocol::MarcaMemoria(row + 1 + scrollPosition_)))
        return;
    visible_ = false;
    view_.visibilityChanged();
}

int SpeedDialDirectory::stepRow(int row, int delta)
{
    const int target = row + delta;
    if (target >= 0 && target < Rows)
        return target;
    scrollTo(std::clamp(scrollPosition_ + delta, 0, LastPosition));
    return row;
}

void SpeedDialDirectory::stepPage(int delta)
{
    scrollTo(std::clamp(scrollPosition_ + delta * Rows, 0, LastPosition));
}

void SpeedDialDirectory::showFirstNotes()
{
    for (int r = 0; r < Rows; ++r) {
        setRowText(r, configuration_.troncalMemoria[r]);
        view_.rowChanged(r);
    }
}

QString SpeedDialDirectory::Saca_Numero_Memoria(int entry) const
{
    QString digits;
    const int first = entry * protocol::MemoryRecordLength;
    for (int j = 1; j < protocol::MemoryRecordLength; ++j)
        digits += FrmEspeciales::TraducedeDiscado(memorias_[first + j], 0);
    return digits;
}
