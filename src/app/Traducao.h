#pragma once

class QCoreApplication;

// Qt's own texts (file pickers, edit menus, standard buttons) in Brazilian Portuguese, like the rest of
// the program. Loads the toolkit's pt_BR catalogues into the application; true when the base catalogue
// was found and installed. Calling it again does nothing more.
bool CarregaTraducoesQt(QCoreApplication& pAplicacao);
