#pragma once

class QFileDialog;

// The toolkit's own file picker takes the type of an entry from the platform ("Folder") and formats sizes
// and dates by the system's settings ("10 Dec 2026 15:49:25"), whatever catalogue the program loaded.
// Puts a model over the picker's file list that shows those columns in Brazilian Portuguese: a folder's
// type "Pasta", a file's "Arquivo" with its extension in capitals ("Arquivo FDB"), a drive's "Unidade";
// sizes with a decimal comma ("4,88 KiB"); dates "dd/mm/yyyy hh:nn" ("10/12/2026 15:49"). Each column is
// widened to its title and to the texts it shows, and the name column narrowed so that the others fit in
// the list's width. Call it once the dialog's options are set.
void ListaArquivosEmPortugues(QFileDialog& pDialogo);
