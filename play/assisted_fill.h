// Fill in Easy Squares and Fill in Solution, one move at a time.
#pragma once

void fillInSolution();
void fillInEasySquares();
