// SPDX-License-Identifier: GPL-3.0-or-later
#include "capture/lettura_anticipata.hpp"

#include "extraction/png_io.hpp"

#include <sys/stat.h>

namespace kalvor {

LetturaAnticipata::~LetturaAnticipata()
{
    if (m_futuro.valid())
        m_futuro.wait();
}

LetturaAnticipata::Impronta LetturaAnticipata::improntaDi(const std::string &file)
{
    Impronta i;
    struct stat st
    {
    };
    if (::stat(file.c_str(), &st) != 0)
        return i;
    const auto ns = [](const timespec &t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + static_cast<std::int64_t>(t.tv_nsec);
    };
    i.esiste = true;
    i.dispositivo = static_cast<std::uint64_t>(st.st_dev);
    i.inode = static_cast<std::uint64_t>(st.st_ino);
    i.dimensione = static_cast<std::int64_t>(st.st_size);
    i.modificato = ns(st.st_mtim);
    i.cambiato = ns(st.st_ctim);
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
