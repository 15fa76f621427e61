// CUPS through libcups: cupsGetDests to list, cupsPrintFile to print. libcups answers without a
// scheduler by returning no destinations or a failed job, which we turn into PrintError.
#include "platform/3_report/printers.h"

#include <cups/cups.h>

#include <filesystem>

namespace report {

std::vector<Destination> ListDestinations() {
    std::vector<Destination> out;
    cups_dest_t* dests = nullptr;
    int n = cupsGetDests(&dests);
    for (int i = 0; i < n; ++i) {
        std::string name = dests[i].name ? dests[i].name : "";
        if (dests[i].instance) name += std::string("/") + dests[i].instance;
        out.push_back({name, dests[i].is_default != 0});
    }
    cupsFreeDests(n, dests);
    out.push_back({kFileDestination, out.empty()});
    return out;
}

int SendToPrinter(const PrintRequest& request) {
    namespace fs = std::filesystem;
    if (request.copies < 1) throw PrintError("El número de copias debe ser al menos 1");
    if (request.destination == kFileDestination) {
        if (request.filePath.empty()) throw PrintError("Falta el nombre del archivo de impresión");
        std::error_code ec;
        fs::copy_file(request.pdfPath, request.filePath, fs::copy_options::overwrite_existing, ec);
        if (ec) throw PrintError("No es posible escribir el archivo \"" + request.filePath + "\": " + ec.message());
        return 0;
    }
    cups_dest_t* dests = nullptr;
    int n = cupsGetDests(&dests);
    cups_dest_t* dest = cupsGetDest(request.destination.c_str(), nullptr, n, dests);
    if (!dest) {
        cupsFreeDests(n, dests);
        if (n == 0)
            throw PrintError("No hay servicio de impresión disponible: no se encontró la impresora \"" +
                             request.destination + "\"");
        throw PrintError("La impresora \"" + request.destination + "\" no existe");
    }
    int numOptions = 0;
    cups_option_t* options = nullptr;
    for (int i = 0; i < dest->num_options; ++i)
        numOptions = cupsAddOption(dest->options[i].name, dest->options[i].value, numOptions, &options);
    numOptions = cupsAddOption("copies", std::to_string(request.copies).c_str(), numOptions, &options);
    int job = cupsPrintFile(dest->name, request.pdfPath.c_str(), request.title.empty() ? "Reporte" : request.title.c_str(),
                            numOptions, options);
    cupsFreeOptions(numOptions, options);
    cupsFreeDests(n, dests);
    if (job == 0)
        throw PrintError("No es posible imprimir en \"" + request.destination + "\": " + cupsLastErrorString());
    return job;
}

}  // namespace report
