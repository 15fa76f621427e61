// Loading a format and laying a note out as text lines. Columns come from a control's Left
// in character cells of 10 design units; a larger Top starts a new line whatever the gap.
#include "notes/report.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "platform/4_adapters/report/printer_dialog.h"
#include "platform/1_text/utf8.h"
#include "platform/2_vcl/stream/reader.h"

namespace notix {
namespace {

// Header fields printed right-aligned in their label's width.
bool EsImporteAlineado(const std::string& n) {
    static const char* kNombres[] = {"SubTotal", "Descuento", "Impuesto1", "Impuesto2",
                                     "TotalVenta", "Cambio", "Efectivo", "Importe1", "Importe2",
                                     "Importe3", "Importe4", "Letras", "Impuesto3", "Impuesto4",
                                     "Impuestos"};
    return std::find(std::begin(kNombres), std::end(kNombres), n) != std::end(kNombres);
}

bool EsImportePago(const std::string& n) {
    return n == "Importe1" || n == "Importe2" || n == "Importe3" || n == "Importe4";
}

// Pads UTF-8 text with spaces, or cuts it, to n characters.
std::string Ajustar(const std::string& s, std::size_t n) {
    std::size_t len = text::Utf8Length(s);
    return len >= n ? text::Utf8Left(s, n) : s + std::string(n - len, ' ');
}

}  // namespace

TNtaReporte::TNtaReporte(vcl::TComponent* AOwner)
    : vcl::TComponent(AOwner), amountx_(new TAmountx(this)) {}

void TNtaReporte::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::opRemove && component == datos_) datos_ = nullptr;
}

void TNtaReporte::CargarFormato() {
    // A fixed-pitch 12-point cell is 10 design units wide at 96 dots per inch.
    cw_ = 10;
    for (auto& s : secciones_) s.clear();
    TElementoNota razon;
    razon.tipo = TElementoNota::Etiqueta;
    razon.Caption = "Razón social de la Empresa";
    razon.NombreCampo = "RazonSocial";
    razon.WordWrap = true;
    razon.Left = 6;
    razon.Top = 2;
    razon.Width = 350;
    razon.Height = 20;
    secciones_[0].push_back(razon);

    if (FormatoDeImpresion.empty()) throw EError("No se dio la ruta y nombre de formato a cargar");
    struct stat st{};
    if (::stat(FormatoDeImpresion.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EError("No se encontró el formato");
    std::ifstream in(FormatoDeImpresion, std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();
    std::string bytes = buf.str();

    auto ordenar = [this] {
        for (auto& s : secciones_)
            std::stable_sort(s.begin(), s.end(), [](const TElementoNota& a, const TElementoNota& b) {
                return a.Top != b.Top ? a.Top < b.Top : a.Left < b.Left;
            });
    };
    int actual = 2;  // controls before any section object belong to the footer
    vcl::stream::Reader reader(bytes);
    try {
        while (!reader.AtEnd()) {
            vcl::stream::Component c = reader.ReadComponent();
            if (c.className == kClaseSeccion) {
                actual = c.name == kSeccionEncabezado ? 0 : c.name == kSeccionDetalle ? 1 : 2;
                if (const auto* v = c.Find("NombredeImpresora"); v && v->IsString())
                    SetNombreImpresoraDelaNota(v->text);
                for (const auto& h : ControlesAnidados(c)) secciones_[actual].push_back(TElementoNota::Desde(h));
                continue;
            }
            secciones_[actual].push_back(TElementoNota::Desde(c));
        }
    } catch (const vcl::stream::EReadError& e) {
        ordenar();
        throw EError("El formato " + FormatoDeImpresion + " está dañado (posición " +
                     std::to_string(e.position()) + "): " + e.what());
    }
    ordenar();
}

void TNtaReporte::ImprimirNota() {
    if (!datos_) throw EError("No se encuentra ligado al componente de datos");
    if (datos_->ModoImpresion() == mWindows) {
        if (ReportPrinterQR2) ImprimeNotaQR2();
        return;
    }
    InicializarPuerto();
    try {
        ImprimirEncabezado();
        // Every row goes out, not only those up to the current one.
        TCamposDetalle& d = datos_->CamposDetalle();
        if (d.Count() > 0)
            for (int i = 0; i < d.Contador(); ++i) ImprimirDetalle(i);
        ImprimirPie();
    } catch (...) {
        Abortar();
        throw;
    }
    FinalizarPuerto(true);
}

void TNtaReporte::ImprimirEncabezado() {
    lineTop_ = 0;
    enDetalle_ = false;
    ImprimirSeccion(secciones_[0]);
}

void TNtaReporte::ImprimirDetalle(int row) {
    if (!datos_) throw EError("No se encuentra ligado al componente de datos");
    datos_->CamposDetalle().SetIndice(row);
    lineTop_ = 0;
    enDetalle_ = true;
    ImprimirSeccion(secciones_[1]);
}

void TNtaReporte::ImprimirPie() {
    lineTop_ = 0;
    enDetalle_ = false;
    ImprimirSeccion(secciones_[2]);
    if (datos_ && (datos_->TipoImpresion == "C" || datos_->TipoImpresion == "R"))
        ImprimirCodigo(Secuencias.EtiquetaMensaje);
}

void TNtaReporte::ImprimirSeccion(std::vector<TElementoNota>& items) {
    if (!datos_) throw EError("No se encuentra ligado al componente de datos");
    std::string linea;
    for (auto& item : items) {
        int col = std::max(0, item.Left / cw_);
        if (col != 0 && item.Left % 2 == 1) ++col;
        // Nothing beyond the line's width is printed, so positions and widths past it are
        // cut here, before they become padding.
        col = std::min(col, kAnchoLinea);
        if (item.Top > lineTop_) {
            TerminarLinea(linea, datosNota_.Proceso1);
            linea.clear();
        }
        lineTop_ = item.Top;
        if (static_cast<std::size_t>(col) > text::Utf8Length(linea))
            linea += std::string(col - text::Utf8Length(linea), ' ');
        if (item.tipo == TElementoNota::Etiqueta) {
            cw_ = 10;
            std::string texto = CadenaAImprimir(item);
            if (item.NombreCampo == "FormasPago") ImprimeFormasDePago(0);
            if (item.NombreCampo == "FormasPagoCompleto") ImprimeFormasDePago(-1);
            if (item.NombreCampo == "FormasImpuestos") ImprimeFormasDeImpuestos();
            // A label without word wrap keeps to its width; one cell more leaves room for the
            // blank that leads a right-aligned amount.
            if (!item.WordWrap) texto = text::Utf8Left(texto, std::max(0, item.Width / cw_ + 1));
            linea += texto;
        } else if (item.tipo == TElementoNota::Figura &&
                   item.Shape == TElementoNota::kLineaHorizontal) {
            linea += std::string(std::clamp(item.Width / cw_ + 2, 0, kAnchoLinea), '-');
        }
    }
    if (!items.empty())
        TerminarLinea(linea, enDetalle_ ? datosNota_.Proceso3 : datosNota_.Proceso2);
}

std::string TNtaReporte::CadenaAImprimir(TElementoNota& label) {
    if (label.NombreCampo.empty()) return label.Caption;
    if (!datos_) return std::string();
    const std::string& n = label.NombreCampo;
    int ancho = std::clamp(label.Width / cw_, 0, kAnchoLinea);
    if (TCampo* campo = datos_->Campos().BuscarExacto(n)) {
        std::string valor = campo->GetAsString();
        if (n == "Hora" && datos_->ModoImpresion() == mPuerto) label.WordWrap = true;
        if (EsImportePago(n) && campo->EsCero()) return " ";
        if (n == "Letras") {
            amountx_->Leyend2 = datos_->Campos().PorNombre("Moneda").GetAsString();
            amountx_->SetNumber(text::StrToFloat(valor, datos_->Formatos));
            valor = amountx_->InText();
        }
        if (EsImporteAlineado(n)) {
            int pad = ancho - static_cast<int>(text::Utf8Length(valor));
            if (pad >= 0) return std::string(pad + 1, ' ') + valor;
        }
        return valor;
    }
    if (TCampoDetalle* col = datos_->CamposDetalle().BuscarExacto(n)) {
        std::string valor = col->GetAsString();
        if (n == "TPartida") {
            int pad = ancho - static_cast<int>(text::Utf8Length(valor));
            if (pad > 0) return std::string(pad, ' ') + valor;
        }
        return valor;
    }
    return std::string();
}

void TNtaReporte::ImprimeFormasDePago(int completo) {
    auto valor = [this](const std::string& n) {
        TCampo* c = datos_->Campos().BuscarExacto(n);
        return c ? c->GetAsString() : std::string();
    };
    for (int k = 1; k <= 4; ++k) {
        std::string K = std::to_string(k);
        TCampo* imp = datos_->Campos().BuscarExacto("Importe" + K);
        if (!imp || imp->EsCero()) continue;
        std::string importe = imp->GetAsString(), doc = valor("NumDoc" + K),
                    vence = valor("FecVen" + K), autoriza = valor("Autoriza" + K);
        ImprimeCadenaFormasPago(valor("FormaPago" + K) + "  " + importe);
        if (completo != 0 && !doc.empty())
            ImprimeCadenaFormasPago(vence.empty() ? doc : doc + "  " + "VENCE : " + vence);
        if (completo != 0 && !autoriza.empty())
            ImprimeCadenaFormasPago("AUTO : " + std::string("  ") + autoriza);
    }
}

void TNtaReporte::ImprimeFormasDeImpuestos() {
    for (int k = 1; k <= 4; ++k) {
        std::string K = std::to_string(k);
        TCampo* imp = datos_->Campos().BuscarExacto("Impuesto" + K);
        if (!imp || imp->EsCero()) continue;
        TCampo* desc = datos_->Campos().BuscarExacto("DescImp" + K);
        ImprimeCadenaFormasPago(Ajustar(desc ? desc->GetAsString() : "", 10) + "     " +
                                imp->GetAsString());
    }
}

void TNtaReporte::SetNombredeImpresora(const std::string& nombre) {
    std::vector<report::Destination> destinos = report::ListDestinations();
    std::string elegido;
    for (const auto& d : destinos)
        if (d.name == nombre && !nombre.empty()) elegido = d.name;
    for (const auto& d : destinos)
        if (elegido.empty() && d.isDefault) elegido = d.name;
    if (elegido.empty() && !destinos.empty()) elegido = destinos.front().name;
    nombreImpresora_ = elegido;
}

void TNtaReporte::ImprimeNotaQR2() {
    if (!nombreImpresora_.empty()) ReportPrinterQR2->Printer.destination = nombreImpresora_;
    // Bounded: a missing layout or a printer that is gone would otherwise be retried for ever.
    std::string porque;
    for (int i = 0; i < kIntentosQR2; ++i) {
        try {
            ReportPrinterQR2->Print(FormatoDeImpresion.substr(0, 255));
            return;
        } catch (const std::exception& e) {
            porque = e.what();
        }
    }
    throw EError("No se pudo imprimir la nota con el formato " + FormatoDeImpresion + ": " + porque);
}

}  // namespace notix
