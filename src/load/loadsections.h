#pragma once

namespace load {

class LetterLoader;

// The sections of a letter's loading, in the order they run. Each field is one step of its
// own (see LetterLoader); a section never stops early.

// The writing date, the patient, the last examination and the count of letters.
void loadHeading(LetterLoader& l);
// The other departments' answer, ticks and name.
void loadOtherDepartments(LetterLoader& l);
// Diagnoses and onset dates, stability, course, medication, special medical care.
void loadDisease(LetterLoader& l);
// Independence levels, dementia, problem behaviours, psychiatric symptoms, body state.
void loadMentalState(LetterLoader& l);
// Paralysis and the other findings with their sites and degrees, ataxia, mobility.
void loadPhysicalState(LetterLoader& l);
// Nutrition, likely conditions, life function, medical services, care notes, infection.
void loadLifeAndCare(LetterLoader& l);
// The special notes.
void loadSpecialNotes(LetterLoader& l);
// The doctor and the institution.
void loadDoctorBlock(LetterLoader& l);

} // namespace load
