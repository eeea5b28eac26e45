// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the next frame file on another thread while the user looks at the
// current one. A frame handed out is the file's content at the moment it is
// asked for: a read-ahead whose file changed since (inode, size or times) is
// read again, and a failed read-ahead only means reading now.

#include "common/rgb_image.hpp"

#include <cstdint>
#include <exception>
#include <future>
#include <string>

namespace kalvor {

class LetturaAnticipata
{
public:
    LetturaAnticipata() = default;
    ~LetturaAnticipata();
    LetturaAnticipata(const LetturaAnticipata &) = delete;
    LetturaAnticipata &operator=(const LetturaAnticipata &) = delete;

    // Starts reading `file` in the background (drops any earlier one).
    void anticipa(const std::string &file);
    // The picture of `file`: the read-ahead when it is of that file and still
    // valid, otherwise read now. FileError as readPng.
    RgbImage leggi(const std::string &file);

private:
    // What identifies a file's content cheaply: its inode (a file written
    // whole under a temporary name and renamed gets a new one), size and
    // change times.
    struct Impronta
    {
        std::uint64_t dispositivo = 0;
        std::uint64_t inode = 0;
        std::int64_t dimensione = 0;
        std::int64_t modificato = 0; // ns
        std::int64_t cambiato = 0; // ns
        bool esiste = false;
        bool operator==(const Impronta &) const = default;
    };
    struct Letto
    {
        Impronta impronta;
        RgbImage immagine;
        std::exception_ptr errore;
    };
    static Impronta improntaDi(const std::string &file);

    std::string m_file;
    std::future<Letto> m_futuro;
};

} // namespace kalvor
