// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_overlay.hpp"

#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/png_io.hpp"
#include "overlay/setup_overlay.hpp"

#include <filesystem>

namespace kalvor::cli {

RunOverlay::RunOverlay(std::string folder)
    : m_folder(std::move(folder))
{
    if (m_folder.empty())
        m_folder = "./";
    if (m_folder.back() != '/')
        m_folder += '/';
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (!std::filesystem::is_directory(m_folder, ec))
        throw FileError("Impossibile creare la cartella \"" + m_folder + "\".");
}

void RunOverlay::frame(const StatoLavoro &s, const FotogrammaElaborato &fe)
{
    if (fe.immagine == nullptr)
        return;
    const Drawing d = setupOverlay(s.Prospettiva, s.C, s.Calibrazione.veicoliAtt);
    const RgbImage picture = setupOverlayPicture(*fe.immagine, d, fe.maschera);
    writeFileAtomically(m_folder + "controllo" + std::to_string(fe.numero) + ".png", encodePng(picture));
    ++m_written;
}

} // namespace kalvor::cli
