// Adding and deleting pupils, and the sample pupils.

#include "app/tf_une.h"

namespace kalidor {

void TF_une::Ajouterunlve1Click() {}
void TF_une::Effacer1Click() {}
void TF_une::crer110lves1Click() {}
void TF_une::crer17lvesniveau11Click() {}
void TF_une::crer17lvesniveau21Click() {}

} // namespace kalidor
