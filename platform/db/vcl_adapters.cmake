# The data layer's side of the component model: datasets as lookup lists, temporary tables
# owned by a dialog. Apart from razir_db so that tables and queries never need the toolkit.
razir_library(razir_db_vcl SOURCES list_source.cpp LIBS razir_db razir_vcl)
