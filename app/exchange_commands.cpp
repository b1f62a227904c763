// Transfer files and the class import.

#include "app/tf_une.h"

namespace kalidor {

void TF_une::Crerunfichierdetransfert1Click() {}
void TF_une::Importerclasseenmodetexte1Click() {}

} // namespace kalidor
