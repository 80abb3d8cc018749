"""Contents of the two self-test workbooks: the class mark sheet of vorlane and the household
charges of kestrum. The numbers come from fixed seeds, so every run gives the same workbooks; the
checks keep the facts the marking and the solutions rely on (all totals different, so a sort by
the total is visible and unambiguous)."""
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "workbooks"))
from exercise_data import chinese_names  # noqa: E402


# --- vorlane: 学生成绩表.xls ---------------------------------------------------------------------

def class_marks():
    """40 students in rows 3-42: number, name, five marks (C-G); H and I are left empty."""
    rng = random.Random(20250513)
    names = chinese_names(rng, 40)
    rows, totals = [], set()
    while len(rows) < 40:
        marks = [rng.randint(48, 100) for _ in range(5)]
        if sum(marks) in totals:
            continue                      # every total (and so every average) different
        totals.add(sum(marks))
        rows.append([20250301 + len(rows), names[len(rows)]] + marks)
    ordered = [sum(r[2:7]) for r in rows]
    assert ordered != sorted(ordered, reverse=True), "the starting order must not be the sorted one"
    return {
        "title": "高二(3)班期末考试成绩表",
        "headings": ["学号", "姓名", "语文", "数学", "英语", "物理", "化学", "总分", "平均分"],
        "rows": rows,
        "summary": ["班平均分", "科目最高分", "科目最低分"],   # A43, A44, A45
    }


# --- kestrum: 水电气费.xls ----------------------------------------------------------------------

def household_charges():
    """15 households in rows 3-17: the door number only in A3, names in B, the amounts of water
    (C), electricity (E) and gas (G); charges D, F, H and the total I are left empty. Unit prices
    in C20, D20, E20 under their labels in row 19."""
    rng = random.Random(20250521)
    names = chinese_names(rng, 15)
    rows = []
    for name in names:
        water = rng.randint(6, 28)
        power = rng.randint(90, 420)
        gas = rng.randint(8, 45)
        rows.append([name, water, power, gas])
    return {
        "title": "信息苑小区21栋3单元5月份水电气费",
        "headings": ["用户门号", "户主姓名", "用水量(吨)", "水费(元)", "用电量(度)", "电费(元)",
                     "用气量(方)", "气费(元)", "每户总付费"],
        "first_door": 210301,
        "rows": rows,
        "price_labels": ["水价(元/吨)", "电价(元/度)", "气价(元/方)"],   # C19, D19, E19
        "price_caption": "单价",                                           # B20
        "prices": [2.9, 0.6, 2.5],                                         # C20, D20, E20
    }


if __name__ == "__main__":
    for d in (class_marks(), household_charges()):
        print(d["title"])
        for r in d["rows"]:
            print("  ", r)
