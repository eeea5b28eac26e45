// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/svg.hpp"

#include "common/numbers.hpp"

namespace kalvor {

namespace {

void aggiungiColore(std::string &out, Rgb c)
{
    out += "rgb(";
    out += intText(c.r);
    out += ',';
    out += intText(c.g);
    out += ',';
    out += intText(c.b);
    out += ')';
}

// name="value" with a space before it.
void aggiungiAttributo(std::string &out, std::string_view nome, std::string_view valore)
{
    out += ' ';
    out += nome;
    out += "=\"";
    out += valore;
    out += '"';
}

// Pixel centres, so that one-pixel strokes fall on whole pixels.
void aggiungiCentro(std::string &out, std::string_view nome, int v)
{
    out += ' ';
    out += nome;
    out += "=\"";
    out += intText(v);
    out += ".5\"";
}

void aggiungiTratto(std::string &out, const DrawPrimitive &p)
{
    out += " stroke=\"";
    aggiungiColore(out, p.pen);
    out += "\" fill=\"";
    if (p.filled)
        aggiungiColore(out, p.fill);
    else
        out += "none";
    out += "\"/>\n";
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

void aggiungiPrimitiva(std::string &out, const DrawPrimitive &p)
{
    const NumberFormat punto = NumberFormat::dot();
    switch (p.shape) {
    case Shape::Line:
        out += "<line";
        aggiungiCentro(out, "x1", p.x1);
        aggiungiCentro(out, "y1", p.y1);
        aggiungiCentro(out, "x2", p.x2);
        aggiungiCentro(out, "y2", p.y2);
        out += " stroke=\"";
        aggiungiColore(out, p.pen);
        out += "\"/>\n";
        break;
    case Shape::Rectangle:
        out += "<rect";
        aggiungiCentro(out, "x", p.x1);
        aggiungiCentro(out, "y", p.y1);
        aggiungiAttributo(out, "width", intText(p.x2 - p.x1 - 1));
        aggiungiAttributo(out, "height", intText(p.y2 - p.y1 - 1));
        aggiungiTratto(out, p);
        break;
    case Shape::Ellipse:
        out += "<ellipse";
        aggiungiAttributo(out, "cx", fixedText((p.x1 + p.x2 - 1) / 2.0, punto));
        aggiungiAttributo(out, "cy", fixedText((p.y1 + p.y2 - 1) / 2.0, punto));
        aggiungiAttributo(out, "rx", fixedText((p.x2 - p.x1 - 1) / 2.0, punto));
        aggiungiAttributo(out, "ry", fixedText((p.y2 - p.y1 - 1) / 2.0, punto));
        aggiungiTratto(out, p);
        break;
    case Shape::Text: {
        // Points to pixels at 96 dots per inch; 9 points when the default font is asked for.
        const int pixel = (p.textSize > 0 ? p.textSize : 9) * 4 / 3;
        out += "<text";
        aggiungiAttributo(out, "x", intText(p.x1));
        aggiungiAttributo(out, "y", intText(p.y1 + pixel));
        aggiungiAttributo(out, "font-size", intText(pixel));
        if (p.bold)
            aggiungiAttributo(out, "font-weight", "bold");
        out += " fill=\"";
        aggiungiColore(out, p.pen);
        out += "\">";
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
