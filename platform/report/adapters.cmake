# The report engine's adapters: datasets over the data layer's tables and queries, the
# printer dialog component, and the preview and printer set-up as forms of the component
# model. What the report dialogs link as razir_report.
razir_library(razir_report
  SOURCES
    db_dataset.cpp
    preview.cpp
    printer_setup.cpp
    printer_dialog.cpp
  LIBS razir_report_core razir_text razir_shell razir_db razir_vcl)
