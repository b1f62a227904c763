// Reports in the text pane and the printed documents.

#include "app/tf_une.h"

namespace kalidor {

void TF_une::Validercomptenceslevesl1Click() {}
void TF_une::Bilandescomptencescoledellve1Click() {}
void TF_une::Bilandescomptencescollgedellve1Click() {}
void TF_une::Listedescomptencesniveaucole1Click() {}
void TF_une::Listedescomptencesniveaucollge1Click() {}
void TF_une::Imprimer2Click() {}
void TF_une::Imprimercomptencesniveaucollgedellve1Click() {}
void TF_une::imprimerattestation11Click() {}
void TF_une::Imprimerattestationniveau2dellve1Click() {}
void TF_une::Listedetousleslves1Click() {}
void TF_une::Listedeslvesayantleniveaucole1Click() {}
void TF_une::Listedeslvesayantleniveaucollge1Click() {}
void TF_une::Listedeslvesnayantpasleniveaucole1Click() {}
void TF_une::Listedeslvesnayantpasleniveaucollge1Click() {}
void TF_une::Imprimertouteslesattestationsdeniveau11Click() {}
void TF_une::Imprimertouteslesattestationsdeniveau21Click() {}
void TF_une::Listedescomptencesniveaucole2Click() {}
void TF_une::Listedescomptencesniveaucollge2Click() {}

} // namespace kalidor
