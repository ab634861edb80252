object form: TForm
  object panel: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 40
    Caption = ''
    Color = clTeal
  end
  object bevel: TBevel
    Left = 120
    Top = 10
    Width = 60
    Height = 40
  end
  object edit: TEdit
    Left = 190
    Top = 10
    Width = 100
    Height = 21
    Text = 'Edit'
  end
  object button: TButton
    Left = 300
    Top = 10
    Width = 75
    Height = 25
    Caption = 'Button'
  end
  object check: TCheckBox
    Left = 10
    Top = 60
    Width = 90
    Height = 17
    Caption = 'Check'
  end
  object radio: TRadioButton
    Left = 110
    Top = 60
    Width = 90
    Height = 17
    Caption = 'Radio'
  end
  object label: TLabel
    Left = 210
    Top = 60
    Width = 80
    Height = 16
    AutoSize = False
    Caption = 'Label'
    Font.Color = clRed
  end
  object speed: TSpeedButton
    Left = 300
    Top = 60
    Width = 80
    Height = 25
    Caption = 'Speed'
    Flat = True
  end
  object list: TCheckListBox
    Left = 10
    Top = 100
    Width = 200
    Height = 80
    ItemHeight = 18
    Items.Strings = (
      'First'
      'Second'
      'Third')
  end
end
