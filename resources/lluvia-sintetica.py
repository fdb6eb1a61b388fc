#!/usr/bin/env python3
"""Writes lluvia-sintetica.csv: a synthetic daily rainfall record for trying
the import (hidrela-calc --import-rain, File > Import daily rainfall).

The days are drawn from a fixed seed by a two-state (wet/dry) chain with
exponential depths and a wetter spring and autumn. They are not measurements
and belong to no station. Run it again and the same file comes out.
"""
import math
import os
import random

SEMILLA = 19
DESDE, HASTA = 2000, 2003  # whole years; 2000 is a leap year
FALTA = "2001-03-14"  # left empty: 2001 is then not a complete year

def dias_de(anio):
    return 366 if anio % 4 == 0 and (anio % 100 != 0 or anio % 400 == 0) else 365

def main():
    azar = random.Random(SEMILLA)
    largos = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
    lineas = ["# Synthetic daily rainfall, not from any station: written by",
              "# lluvia-sintetica.py (seed %d) for trying the import." % SEMILLA,
              "fecha,lluvia_mm"]
    ayer_lluvia = False
    for anio in range(DESDE, HASTA + 1):
        largos[1] = 29 if dias_de(anio) == 366 else 28
        for mes in range(1, 13):
            # Two wet seasons, around April and October.
            humedad = 0.5 + 0.5 * math.cos((mes - 4) * math.pi / 3) ** 2
            for dia in range(1, largos[mes - 1] + 1):
                p_lluvia = (0.55 if ayer_lluvia else 0.2) * humedad
                fecha = "%04d-%02d-%02d" % (anio, mes, dia)
                if fecha == FALTA:
                    lineas.append(fecha + ",")  # a missing day
                    continue
                ayer_lluvia = azar.random() < p_lluvia
                if not ayer_lluvia:
                    lineas.append(fecha + ",0")
                elif azar.random() < 0.15:
                    lineas.append(fecha + ",Ip")  # a trace
                else:
                    lineas.append(fecha + ",%.1f" % (0.1 + azar.expovariate(1 / (6 + 6 * humedad))))
    ruta = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lluvia-sintetica.csv")
    with open(ruta, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lineas) + "\n")

if __name__ == "__main__":
    main()
