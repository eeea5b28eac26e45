// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/svg.hpp"

#include "common/numbers.hpp"

namespace kalvor {

namespace {

std::string colore(Rgb c)
{
    return "rgb(" + intText(c.r) + "," + intText(c.g) + "," + intText(c.b) + ")";
}

void aggiungiEscape(std::string &out, std::string_view testo)
{
    for (char c : testo) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

// Pixel centres, so that one-pixel strokes fall on whole pixels.
std::string centro(int v)
{
    return intText(v) + ".5";
}

void aggiungiPrimitiva(std::string &out, const DrawPrimitive &p)
{
    switch (p.shape) {
    case Shape::Line:
        out += "<line x1=\"" + centro(p.x1) + "\" y1=\"" + centro(p.y1) + "\" x2=\"" + centro(p.x2) + "\" y2=\""
            + centro(p.y2) + "\" stroke=\"" + colore(p.pen) + "\"/>\n";
        break;
    case Shape::Rectangle:
        out += "<rect x=\"" + centro(p.x1) + "\" y=\"" + centro(p.y1) + "\" width=\"" + intText(p.x2 - p.x1 - 1)
            + "\" height=\"" + intText(p.y2 - p.y1 - 1) + "\" stroke=\"" + colore(p.pen) + "\" fill=\""
            + (p.filled ? colore(p.fill) : std::string("none")) + "\"/>\n";
        break;
    case Shape::Ellipse:
        out += "<ellipse cx=\"" + fixedText((p.x1 + p.x2 - 1) / 2.0, NumberFormat::dot()) + "\" cy=\""
            + fixedText((p.y1 + p.y2 - 1) / 2.0, NumberFormat::dot()) + "\" rx=\""
            + fixedText((p.x2 - p.x1 - 1) / 2.0, NumberFormat::dot()) + "\" ry=\""
            + fixedText((p.y2 - p.y1 - 1) / 2.0, NumberFormat::dot()) + "\" stroke=\"" + colore(p.pen) + "\" fill=\""
            + (p.filled ? colore(p.fill) : std::string("none")) + "\"/>\n";
        break;
    case Shape::Text: {
        // Points to pixels at 96 dots per inch; 9 points when the default font is asked for.
        const int pixel = (p.textSize > 0 ? p.textSize : 9) * 4 / 3;
        out += "<text x=\"" + intText(p.x1) + "\" y=\"" + intText(p.y1 + pixel) + "\" font-size=\"" + intText(pixel)
            + "\"" + (p.bold ? " font-weight=\"bold\"" : "") + " fill=\"" + colore(p.pen) + "\">";
        aggiungiEscape(out, p.text);
        out += "</text>\n";
        break;
    }
    }
}

} // namespace

std::string svgDiGrafico(const Grafico &g)
{
    const std::string w = intText(g.larghezza);
    const std::string h = intText(g.altezza);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
        + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h
        + "\" font-family=\"DejaVu Sans, sans-serif\">\n<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h
        + "\" fill=\"white\"/>\n";
    out.reserve(out.size() + g.disegno.size() * 96);
    for (const DrawPrimitive &p : g.disegno)
        aggiungiPrimitiva(out, p);
    out += "</svg>\n";
    return out;
}

} // namespace kalvor
