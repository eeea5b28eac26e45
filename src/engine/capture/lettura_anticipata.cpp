// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/lettura_anticipata.hpp"

#include "extraction/png_io.hpp"

#include <filesystem>
#include <system_error>

namespace kalvor {

LetturaAnticipata::~LetturaAnticipata()
{
    if (m_futuro.valid())
        m_futuro.wait();
}

LetturaAnticipata::Impronta LetturaAnticipata::improntaDi(const std::string &file)
{
    namespace fs = std::filesystem;
    Impronta i;
    std::error_code e;
    const auto dimensione = fs::file_size(file, e);
    if (e)
        return i;
    const auto quando = fs::last_write_time(file, e);
    if (e)
        return i;
    i.esiste = true;
    i.dimensione = dimensione;
    i.modificato = static_cast<std::int64_t>(quando.time_since_epoch().count());
    return i;
}

void LetturaAnticipata::anticipa(const std::string &file)
{
    if (m_futuro.valid())
        m_futuro.wait();
    m_file = file;
    m_futuro = std::async(std::launch::async, [file] {
        Letto l;
        l.impronta = improntaDi(file);
        try {
            l.immagine = readPng(file);
        } catch (...) {
            l.errore = std::current_exception();
        }
        return l;
    });
}

RgbImage LetturaAnticipata::leggi(const std::string &file)
{
    if (m_futuro.valid() && m_file == file) {
        Letto l = m_futuro.get();
        // Only a clean read of the file as it still is counts; anything else
        // is read again now, so that errors and content are today's.
        if (!l.errore && l.impronta.esiste && l.impronta == improntaDi(file))
            return std::move(l.immagine);
    }
    return readPng(file);
}

} // namespace kalvor
